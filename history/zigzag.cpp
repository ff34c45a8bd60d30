#include "history/zigzag.h"

#include <cassert>

namespace zentarix {

namespace {

// The product rounded to nearest in the extended format, once. An x87 register holds exactly
// the extended format under the program's control word, so the product needs no trip through
// memory before it is compared.
Extended Times(Extended price, Extended factor) { return price * factor; }

}  // namespace

ZigZag::ZigZag(Extended percent) {
  assert(percent > 0 && percent < 100);
  const Extended fraction = percent / 100;
  FUp = 1 + fraction;
  FDown = 1 - fraction;
}

std::optional<Swing> ZigZag::Add(const Bar& bar) {
  switch (FTrend) {
    case Trend::None:
      if (!FFirst && bar.High >= Times(FLowest.Low, FUp)) {
        FTrend = Trend::Rising;
        FStart = FLowest;
        FExtreme = bar;
      } else if (!FFirst && bar.Low <= Times(FHighest.High, FDown)) {
        FTrend = Trend::Falling;
        FStart = FHighest;
        FExtreme = bar;
      } else {
        if (FFirst || bar.High > FHighest.High) FHighest = bar;
        if (FFirst || bar.Low < FLowest.Low) FLowest = bar;
      }
      FFirst = false;
      return std::nullopt;
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

std::optional<Swing> ZigZag::Turn(Trend next, const Bar& bar) {
  Swing swing{FTrend == Trend::Rising, true, FStart, FExtreme};
  FTrend = next;
  FStart = FExtreme;
  FExtreme = bar;
  return swing;
}

std::optional<Swing> ZigZag::Finish() const {
  if (FTrend == Trend::None) return std::nullopt;
  return Swing{FTrend == Trend::Rising, false, FStart, FExtreme};
}

}  // namespace zentarix
