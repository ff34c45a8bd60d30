// A price history held for a chart that a user zooms and pans, gathered in one reading of the
// bars and swings in time order. The bars are kept as FineColumns columns over the whole history
// (every bar of a history of up to that many), so that a view of any stretch is drawn without
// reading the file again and can show no finer detail than they hold. The swings are kept as
// the zigzag's points with the lines and times of their bars, about 60 bytes a swing: the last
// MaxSwings of them, the earlier ones passed over (a history that long is read at a threshold
// far below its moves).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "calc/uCalcItem.h"
#include "chart/bar_columns.h"
#include "chart/price_chart.h"

namespace zentarix {

class HeldChart {
 public:
  static constexpr std::size_t FineColumns = std::size_t{1} << 16;
  static constexpr long MaxSwings = 1L << 18;
  // The narrowest view, in held columns.
  static constexpr long MinViewColumns = 10;

  // swings: how many swings the history has.
  explicit HeldChart(long swings);

  // Every bar and every swing, in time order.
  void AddBar(const Bar& bar);
  void AddSwing(const Swing& swing);

  long Bars() const { return FBars; }
  // The swings held, and the number (from 1) of the first among the history's swings.
  long Swings() const { return FPoints.empty() ? 0 : static_cast<long>(FPoints.size()) - 1; }
  long FirstNumber() const { return FSkipped + 1; }
  // Held swing index (0 <= index < Swings()), with its bars' prices, lines, times and places.
  Swing SwingAt(long index) const;
  // The held swing whose span holds place, the later one where two meet; none outside them.
  std::optional<long> SwingOf(long place) const;

  long MinViewPlaces() const;
  // The first place of the view a chart opens with: up to the last bar, from the start of the
  // swing before the last one.
  long DefaultViewStart() const;

  // The chart of places first ... first + count - 1 (brought inside the history) at the size
  // of view, drawing held swing selected when it lies wholly in view. Its spans point into this
  // object until the next call.
  PriceChart View(const ChartView& view, long first, long count, std::optional<long> selected);

 private:
  long FSkipped;
  long FSeen = 0;
  long FBars = 0;
  BarColumns FColumns{FineColumns / 2};
  std::vector<ZigZagPoint> FPoints;
  std::vector<long> FLines;
  std::vector<std::size_t> FTimeEnds;  // the end of each point's time in FTimes
  std::string FTimes;
  bool FFirstRising = false;
  bool FLastConfirmed = true;
  std::vector<Bar> FViewColumns;
  std::vector<ZigZagPoint> FViewPoints;
};

}  // namespace zentarix
