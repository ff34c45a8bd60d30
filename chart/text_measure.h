// How wide and tall a text is drawn: the chart lays its labels out without a font of its own,
// asking whoever draws it (Qt's font metrics in the programs, a fixed advance in the tests).
#pragma once

#include <string_view>

#include "diagram/canvas_op.h"

namespace zentarix {

class TextMeasure {
 public:
  virtual ~TextMeasure() = default;
  // The advance of text (UTF-8) in the canvas font at a pixel size and styles.
  virtual int Width(std::string_view text, int pixels, TFontStyles styles) const = 0;
  // The height of a line of text at a pixel size: the cell TextOut paints.
  virtual int Height(int pixels) const = 0;
};

}  // namespace zentarix
