#include "shell/paint_box.h"

#include "spin/error_report.h"

namespace zentarix {

PaintBox::PaintBox(QWidget* parent) : QWidget(parent) {}

void PaintBox::paintEvent(QPaintEvent*) {
  if (OnPaint) GuardEntry([this] { OnPaint(); });
}

}  // namespace zentarix
