// The drawing area of the main window: a widget without a look of its own that hands every
// paint to its OnPaint handler.
#pragma once

#include <QWidget>
#include <functional>

namespace zentarix {

class PaintBox : public QWidget {
  Q_OBJECT

 public:
  explicit PaintBox(QWidget* parent = nullptr);

  // Runs inside the paint event, so it may open a QPainter on the paint box. An error it
  // raises goes to the general error report.
  std::function<void()> OnPaint;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace zentarix
