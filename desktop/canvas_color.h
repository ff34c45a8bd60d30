// Turns a TColor into the colour Qt paints with.
#pragma once

#include <QColor>
#include <QPalette>

#include "diagram/canvas_op.h"

namespace zentarix {

// An explicit colour takes red, green and blue from its low three bytes; a named colour is
// resolved through palette (diagram/named_colors.h). A name the program does not define paints
// black, like the pen's own default.
QColor ResolveColor(TColor color, const QPalette& palette);

}  // namespace zentarix
