#include "desktop/canvas_replay.h"

#include <QPen>
#include <QRect>
#include <QString>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <limits>

#include "desktop/canvas_color.h"
#include "diagram/named_colors.h"

namespace zentarix {

namespace {

// The part of [left, right) x [top, bottom) inside the area, worked out in 64 bits so that
// no coordinate pair can overflow a width; empty when nothing of it is visible.
QRect VisiblePart(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
                  QSize area) {
  left = std::max<std::int64_t>(left, 0);
  top = std::max<std::int64_t>(top, 0);
  right = std::min<std::int64_t>(right, area.width());
  bottom = std::min<std::int64_t>(bottom, area.height());
  if (right <= left || bottom <= top) return {};
  return QRect(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
               static_cast<int>(bottom - top));
}

// The device pixel a logical coordinate falls on: the mapped coordinate rounded half away
// from zero, as Qt rounds the edges of a fill, so that the lines meet the bands as they do at
// scale 1. Held within half the rasteriser's range, so that the distance from the area's
// origin stays within it; only a scale beyond any screen's reaches that bound.
std::int64_t DevicePixel(std::int32_t logical, qreal scale, qreal offset) {
  constexpr auto Limit = static_cast<double>(LineCoordinateLimit / 2);
  return std::llround(std::clamp(logical * scale + offset, -Limit, Limit));
}

std::int32_t DeviceSpan(std::int64_t from, std::int64_t to) {
  return static_cast<std::int32_t>(
      std::clamp<std::int64_t>(to - from, 0, std::numeric_limits<std::int32_t>::max()));
}

// A point of the logical grid at the middle of its pixel: a line of odd width through it
// covers whole pixels.
QPointF PixelCentre(std::int32_t x, std::int32_t y) { return {x + 0.5, y + 0.5}; }

}  // namespace

// Black window text, the classic grey button face.
QPalette WhiteGroundPalette() {
  QPalette ground(QColor(240, 240, 240));
  ground.setColor(QPalette::Window, Qt::white);
  ground.setColor(QPalette::WindowText, Qt::black);
  return ground;
}

CanvasReplay::CanvasReplay(QPainter& painter, QSize area, const QFont& font,
                           const QPalette& palette, TColor brushColor, TColor fontColor,
                           LineMode mode)
    : FPainter(painter),
      FArea(area),
      FPalette(palette),
      FFont(font),
      FBasePixelSize(font.pixelSize()),
      FBasePointSize(font.pointSizeF()),
      FMetrics(font, painter.device()),
      FPenColor(0, 0, 0),
      FBrushColor(ResolveColor(brushColor, palette)),
      FFontColor(ResolveColor(fontColor, palette)),
      FMode(mode),
      FGrid(GridOf(painter, area)) {
  // Fills and runs land on whole pixels only without antialiasing.
  FPainter.setRenderHint(QPainter::Antialiasing, false);
  FPainter.setFont(FFont);
}

CanvasReplay::~CanvasReplay() { FlushPolyline(); }

// A painter that scales by the screen's device pixel ratio would turn each logical pixel of
// a line into a block of 2 x 2 device pixels at ratio 2, and into 1 or 2 pixels by turns at
// ratios such as 1.25. With a plain scale (and translation) the lines are therefore laid out
// on the device's own pixel grid; a painter that rotates or mirrors keeps the logical runs.
CanvasReplay::DeviceGrid CanvasReplay::GridOf(const QPainter& painter, QSize area) {
  const QTransform& toDevice = painter.deviceTransform();
  DeviceGrid grid;
  if (toDevice.type() > QTransform::TxScale || toDevice.m11() <= 0 || toDevice.m22() <= 0) {
    return grid;
  }
  if (toDevice.m11() == 1 && toDevice.m22() == 1) return grid;
  grid.Scaled = true;
  grid.ScaleX = toDevice.m11();
  grid.ScaleY = toDevice.m22();
  grid.Dx = toDevice.dx();
  grid.Dy = toDevice.dy();
  grid.OriginX = DevicePixel(0, grid.ScaleX, grid.Dx);
  grid.OriginY = DevicePixel(0, grid.ScaleY, grid.Dy);
  grid.Width = DeviceSpan(grid.OriginX, DevicePixel(area.width(), grid.ScaleX, grid.Dx));
  grid.Height = DeviceSpan(grid.OriginY, DevicePixel(area.height(), grid.ScaleY, grid.Dy));
  return grid;
}

void CanvasReplay::Replay(const std::vector<CanvasOp>& ops) {
  for (const CanvasOp& op : ops) Perform(op);
  FlushPolyline();
}

void CanvasReplay::Perform(const CanvasOp& op) {
  // A run of wide lines is one polyline: its joins are drawn as joins, and an SVG holds one
  // element for it.
  if (op.Kind != CanvasOpKind::LineTo) FlushPolyline();
  switch (op.Kind) {
    case CanvasOpKind::SetPenColor:
      FPenColor = ResolveColor(op.Color, FPalette);
      return;
    case CanvasOpKind::MoveTo:
      FPosition = QPoint(op.X, op.Y);
      return;
    case CanvasOpKind::LineTo:
      LineTo(op.X, op.Y);
      return;
    case CanvasOpKind::SetBrushColor:
      FBrushColor = ResolveColor(op.Color, FPalette);
      return;
    case CanvasOpKind::FillRect:
      FillRect(op.X, op.Y, op.Right, op.Bottom, FBrushColor);
      return;
    case CanvasOpKind::SetFontStyle:
      SetFontStyle(op.Styles);
      return;
    case CanvasOpKind::SetTextColor:
      FFontColor = ResolveColor(op.Color, FPalette);
      return;
    case CanvasOpKind::TextOut:
      TextOut(op.X, op.Y, op.Text);
      return;
    case CanvasOpKind::SetPenWidth:
      FPenWidth = std::max(op.X, 0);
      return;
    case CanvasOpKind::SetPenStyle:
      FDashed = op.Styles == psDash;
      return;
    case CanvasOpKind::SetFontSize:
      SetFontSize(op.X);
      return;
  }
}

void CanvasReplay::SetFontSize(std::int32_t pixels) {
  if (pixels > 0) {
    FFont.setPixelSize(pixels);
  } else if (FBasePixelSize > 0) {
    FFont.setPixelSize(FBasePixelSize);
  } else {
    FFont.setPointSizeF(FBasePointSize);
  }
  FMetrics = QFontMetrics(FFont, FPainter.device());
  FPainter.setFont(FFont);
}

void CanvasReplay::SetFontStyle(TFontStyles styles) {
  // The new set replaces the old one; face, size and colour stay.
  FFont.setBold((styles & fsBold) != 0);
  FFont.setItalic((styles & fsItalic) != 0);
  FFont.setUnderline((styles & fsUnderline) != 0);
  FFont.setStrikeOut((styles & fsStrikeOut) != 0);
  FMetrics = QFontMetrics(FFont, FPainter.device());
  FPainter.setFont(FFont);
}

void CanvasReplay::LineTo(std::int32_t x, std::int32_t y) {
  if (FPenWidth > 0 || FMode == LineMode::Vector) {
    VectorLineTo(x, y);
    return;
  }
  if (FGrid.Scaled) {
    DeviceLineTo(x, y);
    return;
  }
  FRuns.clear();
  RasterizeLine(FPosition.x(), FPosition.y(), x, y, FArea.width(), FArea.height(), FRuns);
  // Runs are whole rectangles of pixels. One batch of rectangles per line costs far less
  // than a fill per run.
  FRects.clear();
  for (const PixelRun& run : FRuns) FRects.emplace_back(run.Left, run.Top, run.Width, run.Height);
  FPainter.setPen(Qt::NoPen);
  FPainter.setBrush(FPenColor);
  FPainter.drawRects(FRects.data(), static_cast<int>(FRects.size()));
  FPosition = QPoint(x, y);
}

// The line rasterised in device pixels between the device pixels of its end points. Each run
// is handed to the painter in logical coordinates that it maps back onto the run's device
// pixel edges.
void CanvasReplay::DeviceLineTo(std::int32_t x, std::int32_t y) {
  const DeviceGrid& g = FGrid;
  FRuns.clear();
  RasterizeLine(DevicePixel(FPosition.x(), g.ScaleX, g.Dx) - g.OriginX,
                DevicePixel(FPosition.y(), g.ScaleY, g.Dy) - g.OriginY,
                DevicePixel(x, g.ScaleX, g.Dx) - g.OriginX,
                DevicePixel(y, g.ScaleY, g.Dy) - g.OriginY, g.Width, g.Height, FRuns);
  const auto logicalX = [&g](std::int64_t device) {
    return (static_cast<qreal>(device + g.OriginX) - g.Dx) / g.ScaleX;
  };
  const auto logicalY = [&g](std::int64_t device) {
    return (static_cast<qreal>(device + g.OriginY) - g.Dy) / g.ScaleY;
  };
  FDeviceRects.clear();
  for (const PixelRun& run : FRuns) {
    const qreal left = logicalX(run.Left);
    const qreal top = logicalY(run.Top);
    FDeviceRects.emplace_back(left, top, logicalX(std::int64_t{run.Left} + run.Width) - left,
                              logicalY(std::int64_t{run.Top} + run.Height) - top);
  }
  FPainter.setPen(Qt::NoPen);
  FPainter.setBrush(FPenColor);
  FPainter.drawRects(FDeviceRects.data(), static_cast<int>(FDeviceRects.size()));
  FPosition = QPoint(x, y);
}

void CanvasReplay::VectorLineTo(std::int32_t x, std::int32_t y) {
  if (FPolyline.isEmpty()) FPolyline << PixelCentre(FPosition.x(), FPosition.y());
  FPolyline << PixelCentre(x, y);
  FPosition = QPoint(x, y);
}

// Wide lines are antialiased; a one-pixel line in a vector picture is a cosmetic pen, one
// device pixel at any scale, like the pixel runs it stands for.
void CanvasReplay::FlushPolyline() {
  if (FPolyline.size() < 2) {
    FPolyline.clear();
    return;
  }
  QPen pen(FPenColor, FPenWidth, FDashed ? Qt::DashLine : Qt::SolidLine, Qt::FlatCap,
           Qt::RoundJoin);
  pen.setCosmetic(FPenWidth == 0);
  FPainter.save();
  FPainter.setRenderHint(QPainter::Antialiasing, FPenWidth > 0);
  FPainter.setPen(pen);
  FPainter.setBrush(Qt::NoBrush);
  FPainter.drawPolyline(FPolyline);
  FPainter.restore();
  FPolyline.clear();
}

void CanvasReplay::FillRect(std::int32_t left, std::int32_t top, std::int32_t right,
                            std::int32_t bottom, const QColor& color) {
  const QRect visible = VisiblePart(left, top, right, bottom, FArea);
  if (!visible.isEmpty()) FPainter.fillRect(visible, color);
}

void CanvasReplay::TextOut(std::int32_t x, std::int32_t y, const std::string& text) {
  const QString shown = QString::fromStdString(text);
  const int width = FMetrics.horizontalAdvance(shown);
  // The text cell: the text's advance wide, ascent plus descent tall, painted opaque first.
  const std::int64_t right = std::int64_t{x} + width;
  const QRect visible = VisiblePart(x, y, right, std::int64_t{y} + FMetrics.height(), FArea);
  if (!visible.isEmpty()) {
    FPainter.fillRect(visible, FBrushColor);
    FPainter.setPen(FFontColor);
    FPainter.drawText(QPoint(x, y + FMetrics.ascent()), shown);
  }
  FPosition = QPoint(static_cast<std::int32_t>(static_cast<std::uint32_t>(right)), y);
}

}  // namespace zentarix
