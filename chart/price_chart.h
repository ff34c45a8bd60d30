// The chart of a price history as drawing operations: the bars in view (a high-low column
// each, or the closes as a line), the zigzag through the swings' ends over them with the last
// leg dashed while its swing is not confirmed, the last swing's A and B marked with their
// prices, its levels as the level diagram shows them (the F3 and F5 lines on their corridor
// bands, the red 50% line, each labelled with its value in the locale's marks), a price axis
// of round ticks on the right, dates below, a title above and a legend. Light ground and dark
// ink in fixed colours. Fonts and lines grow with the picture; no two labels overlap, and
// those that find no free place are left out, the axis's first.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "calc/extended.h"
#include "calc/uCalcItem.h"
#include "calc/user_levels.h"
#include "chart/chart_places.h"
#include "chart/chart_texts.h"
#include "chart/text_measure.h"
#include "diagram/canvas_op.h"
#include "history/zigzag.h"

namespace zentarix {

constexpr TColor Rgb(int red, int green, int blue) { return red | (green << 8) | (blue << 16); }

// The bodies of candles that close above their open and below it.
inline constexpr TColor RisingColor = Rgb(38, 154, 92);
inline constexpr TColor FallingColor = Rgb(214, 60, 60);

// --bars all.
inline constexpr long AllBars = -1;

// What a chart shows and how large: the one set of the chart's defaults.
struct ChartView {
  int Width = 1280;
  int Height = 720;
  // The last Bars bars; AllBars for every one; 0 for the default view, which ends at the last
  // bar and starts where the swing before the last one starts, at least MinViewBars back.
  long Bars = 0;
};

inline constexpr long MinViewBars = 100;

// A swing's end (or the first swing's start) at its bar's place in time order.
struct ZigZagPoint {
  long Place = 0;
  Extended Price = 0;
};

struct PriceChart {
  ChartView View;
  std::string FileName;  // without its folder, for the title and the legend
  Extended Percent = 5;  // the reversal threshold
  Extended Tenths = 30;  // the noise of the levels, in tenths of a percent
  // The bars in view: places FirstPlace ... FirstPlace + PlaceCount - 1.
  long FirstPlace = 0;
  long PlaceCount = 0;
  // Their columns, oldest first, each standing at the place of its first bar (BarColumns).
  std::span<const Bar> Columns;
  bool ClosesOnly = false;  // a history of closes: drawn as a line
  // The zigzag's points from the last one before the view on, oldest first.
  std::span<const ZigZagPoint> ZigZag;
  // The swing whose marks and levels are drawn: the last one, or the one a user chose.
  std::optional<Swing> Selected;
  bool LastLegConfirmed = true;     // false: the zigzag's last leg is dashed
  std::optional<TCalcItem> Levels;  // its levels, as the run computed them
  std::vector<UserRatio> Ratios;    // the user's own levels, each a line beside them
  TranslateChart Translate;         // null: the Russian texts
};

// The operations for a picture of chart.View's size, texts measured by measure in the canvas
// font (whose size the operations set).
std::vector<CanvasOp> BuildChartOps(const PriceChart& chart, const TextMeasure& measure);

// Where the chart's places stand across its picture, as BuildChartOps draws them with the same
// measure: the window finds the bar under the mouse with it.
PlaceAxis PlaceAxisOfChart(const PriceChart& chart, const TextMeasure& measure);

// The levels of swing at a noise of tenths, as its listing computes them; none when they fail
// (a noise below zero, a move too large for the arithmetic).
std::optional<TCalcItem> SwingLevels(const Swing& swing, Extended tenths);

// The first place of the view over a history of `bars` bars whose last swing is last and the
// one before it beforeLast (none when last is the first).
long ViewStart(const ChartView& view, long bars, const Swing* beforeLast, const Swing* last);

}  // namespace zentarix
