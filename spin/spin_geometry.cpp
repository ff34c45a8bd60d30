#include "spin/spin_geometry.h"

#include <algorithm>

namespace zentarix {

QRect FocusFrameRect(QSize button, bool pressed) {
  constexpr int Inset = 3;
  QRect frame = QRect(QPoint(0, 0), button).adjusted(Inset, Inset, -Inset, -Inset);
  if (pressed) frame.translate(1, 1);
  return frame;
}

int RequiredEditHeight(int fontHeight, int systemFontHeight, int borderHeight) {
  return fontHeight + std::min(systemFontHeight, fontHeight) / 4 + 4 * borderHeight + 2;
}

QRect SpinPairRect(QSize field, int pairWidth, bool ctl3d) {
  const int w = field.width();
  const int h = field.height();
  if (ctl3d) return QRect(w - pairWidth - 5, 0, pairWidth, h - 5);
  return QRect(w - pairWidth - 1, 1, pairWidth, h - 3);
}

}  // namespace zentarix
