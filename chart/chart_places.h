// Where a chart's places stand across its picture, and back: the window picks the swing under
// the mouse by the place of the pixel column it points at. The chart gives each place of its
// view an equal share of the bars' width and draws a bar at the middle of its share.
#pragma once

#include <optional>

namespace zentarix {

struct PlaceAxis {
  int Left = 0;   // the first pixel column of the bars
  int Right = 1;  // past the last one
  long FirstPlace = 0;
  long PlaceCount = 1;
};

// The pixel column of place, as the chart draws it.
int PlaceX(const PlaceAxis& axis, long place);

// The place whose share holds pixel column x; none left or right of the bars.
std::optional<long> PlaceAt(const PlaceAxis& axis, int x);

}  // namespace zentarix
