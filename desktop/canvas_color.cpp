#include "desktop/canvas_color.h"

#include "diagram/named_colors.h"

namespace zentarix {

namespace {

QColor ExplicitColor(TColor color) {
  const auto bits = static_cast<std::uint32_t>(color);
  return QColor(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                static_cast<int>((bits >> 16) & 0xFF));
}

}  // namespace

QColor ResolveColor(TColor color, const QPalette& palette) {
  if (!IsNamedColor(color)) return ExplicitColor(color);
  switch (color) {
    case clWhite:
      return QColor(255, 255, 255);
    case clWindowText:
      return palette.color(QPalette::WindowText);
    case clBtnFace:
      return palette.color(QPalette::Button);
    default:
      return QColor(0, 0, 0);
  }
}

}  // namespace zentarix
