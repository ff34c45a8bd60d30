// Performs a list of canvas operations on a QPainter: the one replay of the diagram and the
// chart, in the window, on the clipboard and in saved pictures. The level diagram's effects:
// 1-pixel solid lines without their end pixel, fills of left <= x < right and
// top <= y < bottom, and texts on an opaque background. The operations are in logical pixels;
// on a device that scales them (a high-resolution screen) those lines stay one device pixel
// wide. The chart's: lines of a width, solid or dashed, antialiased, a run of LineTo drawn as
// one polyline; texts of a pixel size.
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <QPoint>
#include <QPolygonF>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <vector>

#include "diagram/canvas_op.h"
#include "diagram/line_raster.h"

namespace zentarix {

// How the one-pixel lines (pen width 0) are drawn: as runs of whole pixels, exactly as the
// diagram is specified, for the window and PNG; or as vector lines through the same pixels'
// centres, for SVG, which a reader may scale.
enum class LineMode { Pixels, Vector };

// The canvas of one paint: its pen, brush and font colours, font style and size, and current
// position live as long as the paint. The drawing area's size bounds the work; nothing is
// drawn outside it.
class CanvasReplay {
 public:
  // font is the drawing area's font, palette resolves named colours; brushColor and
  // fontColor are the canvas colours the paint starts with.
  CanvasReplay(QPainter& painter, QSize area, const QFont& font, const QPalette& palette,
               TColor brushColor, TColor fontColor, LineMode mode = LineMode::Pixels);
  ~CanvasReplay();
  CanvasReplay(const CanvasReplay&) = delete;
  CanvasReplay& operator=(const CanvasReplay&) = delete;

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
  void SetFontSize(std::int32_t pixels);
  void LineTo(std::int32_t x, std::int32_t y);
  void VectorLineTo(std::int32_t x, std::int32_t y);
  void FlushPolyline();
  void DeviceLineTo(std::int32_t x, std::int32_t y);
  void FillRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                const QColor& color);
  void TextOut(std::int32_t x, std::int32_t y, const std::string& text);

  QPainter& FPainter;
  QSize FArea;
  QPalette FPalette;
  QFont FFont;
  int FBasePixelSize;  // the font's own size, for SetFontSize(0); -1 when set in points
  qreal FBasePointSize;
  QFontMetrics FMetrics;
  QColor FPenColor;
  QColor FBrushColor;
  QColor FFontColor;
  QPoint FPosition;
  int FPenWidth = 0;
  bool FDashed = false;
  LineMode FMode;
  DeviceGrid FGrid;
  QPolygonF FPolyline;          // the run of wide lines not yet drawn
  std::vector<PixelRun> FRuns;  // reused by every line
  std::vector<QRect> FRects;
  std::vector<QRectF> FDeviceRects;
};

// The palette of a white ground (dark ink): pictures are drawn on white whatever the
// desktop's colours, never through the desktop's palette, which may be a dark one.
QPalette WhiteGroundPalette();

}  // namespace zentarix
