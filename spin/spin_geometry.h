// Sizes and places of the spin controls, free of any widget so that the numbers can be
// checked on their own.
#pragma once

#include <QRect>
#include <QSize>

namespace zentarix {

// The focus frame of an arrow: 3 pixels inside the button, moved 1 pixel right and down while
// the button shows the pressed state (as its glyph is).
QRect FocusFrameRect(QSize button, bool pressed);

// The least outer height of a spin edit: the font's character height F, plus a quarter of the
// smaller of F and the system font's height S, plus four border lines B and two pixels.
int RequiredEditHeight(int fontHeight, int systemFontHeight, int borderHeight);

// The arrow pair inside the right edge of a field of the given outer size, in the field's
// coordinates: with the sunken 3-D border it keeps clear of the frame on the right and bottom,
// with the flat one-pixel frame it sits just inside the frame, which stays whole around it.
QRect SpinPairRect(QSize field, int pairWidth, bool ctl3d);

}  // namespace zentarix
