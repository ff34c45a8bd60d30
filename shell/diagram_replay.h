// Performs a list of canvas operations on a QPainter with the effects the level diagram
// expects of its canvas: 1-pixel solid lines without their end pixel, fills of
// left <= x < right and top <= y < bottom, and texts on an opaque background. The operations
// are in logical pixels; on a device that scales them (a high-resolution screen) the lines
// stay one device pixel wide.
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <vector>

#include "calc/uCalcItem.h"
#include "diagram/canvas_op.h"
#include "diagram/line_raster.h"

namespace zentarix {

// The canvas of one paint: its pen, brush and font colours, font style and current position
// live as long as the paint. The drawing area's size bounds the work; nothing is drawn
// outside it.
class DiagramCanvas {
 public:
  // font is the drawing area's font, palette resolves named colours; brushColor and
  // fontColor are the canvas colours the paint starts with.
  DiagramCanvas(QPainter& painter, QSize area, const QFont& font, const QPalette& palette,
                TColor brushColor, TColor fontColor);

  void Perform(const CanvasOp& op);
  void Replay(const std::vector<CanvasOp>& ops);

  QPoint Position() const { return FPosition; }

 private:
  // How logical coordinates land on the device's pixels when the painter scales them.
  struct DeviceGrid {
    bool Scaled = false;  // otherwise a logical pixel is a device pixel
    qreal ScaleX = 1, ScaleY = 1, Dx = 0, Dy = 0;
    // The device pixel of the area's logical origin, and the area's size in device pixels.
    std::int64_t OriginX = 0, OriginY = 0;
    std::int32_t Width = 0, Height = 0;
  };
  static DeviceGrid GridOf(const QPainter& painter, QSize area);

  void SetFontStyle(TFontStyles styles);
  void LineTo(std::int32_t x, std::int32_t y);
  void DeviceLineTo(std::int32_t x, std::int32_t y);
  void FillRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                const QColor& color);
  void TextOut(std::int32_t x, std::int32_t y, const std::string& text);

  QPainter& FPainter;
  QSize FArea;
  QPalette FPalette;
  QFont FFont;
  QFontMetrics FMetrics;
  QColor FPenColor;
  QColor FBrushColor;
  QColor FFontColor;
  QPoint FPosition;
  DeviceGrid FGrid;
  std::vector<PixelRun> FRuns;  // reused by every line
  std::vector<QRect> FRects;
  std::vector<QRectF> FDeviceRects;
};

// The paint handler's whole work: the diagram of item for a drawing area of the given size,
// started with the area's colour clWhite as brush and clWindowText as font colour. The ground
// is white whatever the desktop's colours, so the named colours are resolved for a white
// ground (dark ink), never through the desktop's palette, which may be a dark one.
void PaintLevelDiagram(QPainter& painter, QSize area, const QFont& font, const TCalcItem& item);

}  // namespace zentarix
