// The chart of a price history as a picture: its operations laid out with the metrics of the
// font the replay draws them in, for --chart and the chart window.
#pragma once

#include "chart/price_chart.h"
#include "desktop/canvas_picture.h"

namespace zentarix {

// The face the program's package brings, so that every machine draws the same letters.
QFont ChartFont();

CanvasPicture PriceChartPicture(const PriceChart& chart);

// Where the places of that picture stand across it.
PlaceAxis PriceChartAxis(const PriceChart& chart);

}  // namespace zentarix
