// What a chart needs of a history, gathered as the history is read, in bounded memory. The
// first reading gives the swings, of which the last two decide the view; the second gives the
// bars and the swings again: the bars in view go into at most twice the chart's width of
// columns, the swings' ends in view into the zigzag's points, of which each of as many
// stretches keeps four (its first, lowest, highest and last). No copy of the bars or of every
// swing is held.
#pragma once

#include <optional>
#include <vector>

#include "chart/bar_columns.h"
#include "chart/price_chart.h"

namespace zentarix {

class ChartGathering {
 public:
  // The first reading: every swing, in time order.
  void NoteSwing(const Swing& swing);
  bool HasSwing() const { return FLast.has_value(); }
  long Swings() const { return FSwings; }

  // Between the readings: the view of a history of `bars` bars.
  void StartView(const ChartView& view, long bars);
  // Whether the view's bars may be wide enough for candles, whose opens and closes the second
  // reading then reads: a view of a few hundred bars, not one of millions.
  bool WantsCandles() const { return FPlaceCount * 3 <= FView.Width; }
  // The second reading: every bar and every swing, in time order; those before the view are
  // passed over but for the zigzag's point that enters it.
  void AddBar(const Bar& bar);
  void AddSwing(const Swing& swing);

  // The chart of what was gathered, its spans into this object; the caller adds the file's
  // name, the threshold, the noise, the levels and the language.
  PriceChart Chart();

 private:
  // The points of one stretch of places: the first, the lowest, the highest and the last.
  struct Stretch {
    long Index = -1;  // none yet
    ZigZagPoint First, Lowest, Highest, Last;
  };
  void AddPoint(const ZigZagPoint& point);
  void CloseStretch();

  long FSwings = 0;
  std::optional<Swing> FBeforeLast;
  std::optional<Swing> FLast;
  ChartView FView;
  long FFirstPlace = 0;
  long FPlaceCount = 0;
  std::optional<BarColumns> FColumns;
  bool FStarted = false;               // whether the first swing's start is among the points
  std::optional<ZigZagPoint> FBefore;  // the last point before the view
  Stretch FStretch;
  std::vector<ZigZagPoint> FPoints;
};

}  // namespace zentarix
