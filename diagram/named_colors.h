// The named colours of the program, in one place. A name is a TColor with the top bit set
// (no explicit colour has it) and a small index below; the canvas resolves a name when it
// draws, through the palette of the widget it draws on.
//
//   clWhite       0x80000001  pure white in every palette (it names a colour, not a role)
//   clWindowText  0x80000002  the palette's window-text colour
//   clBtnFace     0x80000003  the palette's button-face colour
#pragma once

#include <cstdint>

#include "diagram/canvas_op.h"

namespace zentarix {

inline constexpr TColor NamedColorTag = INT32_MIN;
inline constexpr TColor clWhite = NamedColorTag | 0x01;
inline constexpr TColor clWindowText = NamedColorTag | 0x02;
inline constexpr TColor clBtnFace = NamedColorTag | 0x03;

constexpr bool IsNamedColor(TColor color) { return (color & NamedColorTag) != 0; }

}  // namespace zentarix
