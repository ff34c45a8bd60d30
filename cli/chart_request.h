// What a chart of a price history shows, handed by the command line to the program that can
// draw it: the window program draws it with Qt (offscreen, no display needed); the plain
// program has no drawing and refuses --chart.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "calc/extended.h"
#include "history/zigzag.h"

namespace zentarix {

struct ChartRequest {
  std::string File;  // the picture to write: its name ends in .svg or .png
  int Width = 1280;
  int Height = 720;
  std::string Title;          // the history's file name and the threshold
  std::vector<Bar> Columns;   // the bars, at most two columns a pixel (see BarColumns)
  bool ClosesOnly = false;    // a history of closes: drawn as a line, not as ranges
  std::vector<Swing> Swings;  // every swing, oldest first: the zigzag
  Extended Tenths = 30;       // the noise of the last swing's levels
};

// Writes the chart to request.File (through a temporary file renamed into place, so that a
// failure leaves nothing half written); returns what went wrong, empty on success.
using ChartWriter = std::function<std::string(const ChartRequest& request)>;

}  // namespace zentarix
