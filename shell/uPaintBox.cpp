#include "shell/uPaintBox.h"

#include "spin/uErrorReport.h"

namespace zentarix {

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent) {}

void TPaintBox::paintEvent(QPaintEvent*) {
  if (OnPaint) GuardEntry([this] { OnPaint(); });
}

}  // namespace zentarix
