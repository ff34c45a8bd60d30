// The chart of a price history: its bars (high-low lines, or the closes as a line), the zigzag
// through the swings' ends, and the last swing's levels as the level diagram shows them (the
// F3 and F5 lines on their corridor bands, the red 50% line, each labelled with its value in
// the locale's marks), a price axis on the right, a few dates below and the title above. Light
// ground and dark ink in fixed colours, whatever the desktop's palette. Drawn with QPainter into
// SVG or PNG; it needs an application object for its fonts, but no display.
#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <span>
#include <string>

#include "calc/extended.h"
#include "history/zigzag.h"

class QPainter;

namespace zentarix {

struct PriceChart {
  QSize Size{1280, 720};
  QString Title;
  // The bars, oldest first, each standing at the line of its first bar (see BarColumns).
  std::span<const Bar> Columns;
  bool ClosesOnly = false;  // a history of closes: drawn as a line
  // Every swing, oldest first: the zigzag. The last one's levels are drawn.
  std::span<const Swing> Swings;
  Extended Tenths = 30;  // the noise of those levels, in tenths of a percent
};

// Where a chart of a given size draws. The price scale is linear: the highest price the chart
// shows (of the bars and of the last swing's corridor bounds) lies on TopRow, the lowest on
// BottomRow, and a price is drawn on the pixel row nearest to its place between them. The bars
// take the columns from Plot's left edge up to BarsRight; the rest of the plot, on its right,
// keeps room for the levels' lines and labels.
struct ChartFrame {
  QRect Plot;
  int TopRow = 0;
  int BottomRow = 0;
  int BarsRight = 0;
};

ChartFrame FrameOfChart(QSize size);

// Paints the whole chart on painter, whose device is chart.Size large.
void PaintPriceChart(QPainter& painter, const PriceChart& chart);

// Writes the chart to file: SVG when its name ends in ".svg", else PNG. It is written to a
// temporary file in the same folder and renamed into place, so that a failed run leaves nothing
// half written and any earlier file of that name as it was. Returns what went wrong, empty on
// success.
std::string WritePriceChart(const std::string& file, const PriceChart& chart);

}  // namespace zentarix
