#include "shell/diagram_replay.h"

#include <QRect>
#include <QString>
#include <algorithm>

#include "diagram/named_colors.h"
#include "diagram/uDiagram.h"
#include "shell/canvas_color.h"

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

// The palette of the diagram's white ground: black window text, the classic grey button face.
QPalette WhiteGroundPalette() {
  QPalette ground(QColor(240, 240, 240));
  ground.setColor(QPalette::Window, Qt::white);
  ground.setColor(QPalette::WindowText, Qt::black);
  return ground;
}

}  // namespace

DiagramCanvas::DiagramCanvas(QPainter& painter, QSize area, const QFont& font,
                             const QPalette& palette, TColor brushColor, TColor fontColor)
    : FPainter(painter),
      FArea(area),
      FPalette(palette),
      FFont(font),
      FMetrics(font, painter.device()),
      FPenColor(0, 0, 0),
      FBrushColor(ResolveColor(brushColor, palette)),
      FFontColor(ResolveColor(fontColor, palette)) {
  // Fills and runs land on whole pixels only without antialiasing.
  FPainter.setRenderHint(QPainter::Antialiasing, false);
  FPainter.setFont(FFont);
}

void DiagramCanvas::Replay(const std::vector<CanvasOp>& ops) {
  for (const CanvasOp& op : ops) Perform(op);
}

void DiagramCanvas::Perform(const CanvasOp& op) {
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
  }
}

void DiagramCanvas::SetFontStyle(TFontStyles styles) {
  // The new set replaces the old one; face, size and colour stay.
  FFont.setBold((styles & fsBold) != 0);
  FFont.setItalic((styles & fsItalic) != 0);
  FFont.setUnderline((styles & fsUnderline) != 0);
  FFont.setStrikeOut((styles & fsStrikeOut) != 0);
  FMetrics = QFontMetrics(FFont, FPainter.device());
  FPainter.setFont(FFont);
}

void DiagramCanvas::LineTo(std::int32_t x, std::int32_t y) {
  FRuns.clear();
  RasterizeLine(FPosition.x(), FPosition.y(), x, y, FArea.width(), FArea.height(), FRuns);
  // Runs are whole rectangles of pixels: exact at any device pixel ratio, unlike points.
  // One batch of rectangles per line costs far less than a fill per run.
  FRects.clear();
  for (const PixelRun& run : FRuns) FRects.emplace_back(run.Left, run.Top, run.Width, run.Height);
  FPainter.setPen(Qt::NoPen);
  FPainter.setBrush(FPenColor);
  FPainter.drawRects(FRects.data(), static_cast<int>(FRects.size()));
  FPosition = QPoint(x, y);
}

void DiagramCanvas::FillRect(std::int32_t left, std::int32_t top, std::int32_t right,
                             std::int32_t bottom, const QColor& color) {
  const QRect visible = VisiblePart(left, top, right, bottom, FArea);
  if (!visible.isEmpty()) FPainter.fillRect(visible, color);
}

void DiagramCanvas::TextOut(std::int32_t x, std::int32_t y, const std::string& text) {
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

void PaintLevelDiagram(QPainter& painter, QSize area, const QFont& font, const TCalcItem& item) {
  const QPalette ground = WhiteGroundPalette();
  const auto ops = BuildDiagramOps(area.width(), area.height(), item, clWhite, clWindowText);
  DiagramCanvas canvas(painter, area, font, ground, clWhite, clWindowText);
  canvas.Replay(ops);
}

}  // namespace zentarix
