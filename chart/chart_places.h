// Where a chart's places stand across its picture, and back: the window picks the swing under
// the mouse by the place of the pixel column it points at. The chart gives each place of its
// view an equal share of the bars' width and draws a bar at the middle of its share.
#pragma once

#include <optional>
#include <span>

#include "chart/price_chart.h"
#include "diagram/canvas_op.h"

namespace zentarix {

struct PlaceAxis {
  int Left = 0;   // the first pixel column of the bars
  int Right = 1;  // past the last one
  long FirstPlace = 0;
  long PlaceCount = 1;
};

// The axis of a chart whose operations BuildChartOps gave: the plot's box is the frame the
// operations end with, and a chart that draws a swing's levels keeps the plot's right fifth
// for them. None when ops do not end with a frame.
std::optional<PlaceAxis> PlaceAxisOf(const PriceChart& chart, std::span<const CanvasOp> ops);

// The pixel column of place, as the chart draws it.
int PlaceX(const PlaceAxis& axis, long place);

// The place whose share holds pixel column x; none left or right of the bars.
std::optional<long> PlaceAt(const PlaceAxis& axis, int x);

}  // namespace zentarix
