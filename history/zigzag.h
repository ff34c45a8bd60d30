// Swings of a price history: a zigzag that turns when the price moves back from its last
// extreme by the reversal threshold. With up = 1 + P/100 and down = 1 - P/100 (each one
// division and one addition or subtraction, rounded to nearest in the extended format), a bar
// turns a rising swing when its low is at or below the swing's high times down, and a falling
// one when its high is at or above the swing's low times up; each product is rounded to nearest
// once and compared exactly. Before the first swing the lowest low and the highest high so far
// wait for the first bar that moves away from one of them by the threshold. The zigzag holds
// only the bars it may still need, so a history of any length runs in constant memory.
#pragma once

#include <optional>

#include "calc/extended.h"
#include "history/price_rows.h"

namespace zentarix {

struct Swing {
  bool Rising = false;
  // Confirmed once the price turned by the threshold after its end; the last swing of a
  // history may not be.
  bool Confirmed = false;
  Bar Start;  // A is its low for a rising swing, its high for a falling one
  Bar End;    // B is its high for a rising swing, its low for a falling one

  Extended A() const { return Rising ? Start.Low : Start.High; }
  Extended B() const { return Rising ? End.High : End.Low; }
};

// The reversal threshold in percent when none is given: the command line's and a dropped
// file's.
inline constexpr int DefaultSwingThreshold = 5;

class ZigZag {
 public:
  // percent: the reversal threshold P, 0 < P < 100.
  explicit ZigZag(Extended percent);

  // Takes the next bar; returns the swing it confirms, if it turns the trend. Inline once a
  // trend runs: nearly every bar of a long history only goes on with it.
  std::optional<Swing> Add(const Bar& bar) {
    switch (FTrend) {
      case Trend::None:
        return Begin(bar);
      case Trend::Rising:
        if (bar.High > FExtreme.High) {
          FExtreme = bar;
        } else if (bar.Low <= Times(FExtreme.High, FDown)) {
          return Turn(Trend::Falling, bar);
        }
        return std::nullopt;
      case Trend::Falling:
        if (bar.Low < FExtreme.Low) {
          FExtreme = bar;
        } else if (bar.High >= Times(FExtreme.Low, FUp)) {
          return Turn(Trend::Rising, bar);
        }
        return std::nullopt;
    }
    return std::nullopt;
  }
  // The swing in progress at the end of the history, not confirmed; none before the first turn.
  std::optional<Swing> Finish() const;

 private:
  enum class Trend { None, Rising, Falling };

  // The product rounded to nearest in the extended format, once. An x87 register holds
  // exactly the extended format under the program's control word, so the product needs no
  // trip through memory before it is compared.
  static Extended Times(Extended price, Extended factor) { return price * factor; }

  // Add before the first swing.
  std::optional<Swing> Begin(const Bar& bar);
  std::optional<Swing> Turn(Trend next, const Bar& bar);

  Extended FUp;
  Extended FDown;
  Trend FTrend = Trend::None;
  bool FFirst = true;
  Bar FHighest;  // before the first swing: the bar with the highest high so far
  Bar FLowest;   // and the bar with the lowest low
  Bar FStart;
  Bar FExtreme;
};

}  // namespace zentarix
