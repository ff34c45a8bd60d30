#include "shell/diagram_picture.h"

#include <QPainter>
#include <QSaveFile>

#include "desktop/svg_device.h"
#include "shell/diagram_replay.h"

namespace zentarix {

namespace {

// The ground the window's panel gives the diagram: the replay paints on it without a fill.
void PaintDiagram(QPainter& painter, QSize area, const QFont& font, const TCalcItem& item) {
  painter.fillRect(QRect(QPoint(0, 0), area), Qt::white);
  PaintLevelDiagram(painter, area, font, item);
}

// At 96 dots an inch, as the chart: the width and height the file states are then the
// window's size in CSS pixels. problem says why when the SVG module cannot be loaded.
bool WriteSvg(QSaveFile& file, QSize area, const QFont& font, const TCalcItem& item,
              QString& problem) {
  const std::unique_ptr<QPaintDevice> svg =
      OpenSvgDevice(file, SvgPage{area, 96, QStringLiteral("Zentarix")}, problem);
  QPainter painter;
  if (!svg || !painter.begin(svg.get())) return false;
  PaintDiagram(painter, area, font, item);
  return painter.end();
}

}  // namespace

QImage DiagramImage(QSize area, const QFont& font, const TCalcItem& item, qreal ratio) {
  QImage image(area * ratio, QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  QPainter painter(&image);
  PaintDiagram(painter, area, font, item);
  return image;
}

QString SaveDiagramPicture(const QString& file, QSize area, const QFont& font,
                           const TCalcItem& item, qreal ratio) {
  const bool svg = file.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive);
  const bool png = file.endsWith(QLatin1String(".png"), Qt::CaseInsensitive);
  QSaveFile out(svg || png ? file : file + QStringLiteral(".png"));
  if (!out.open(QIODevice::WriteOnly)) return out.errorString();
  QString problem;
  const bool written = svg ? WriteSvg(out, area, font, item, problem)
                           : DiagramImage(area, font, item, ratio).save(&out, "PNG");
  // Not committed, the temporary file is removed and the old file, if any, stays as it was.
  if (!problem.isEmpty()) return problem;
  if (!written || !out.commit()) {
    return out.errorString().isEmpty() ? QStringLiteral("the picture could not be written")
                                       : out.errorString();
  }
  return QString();
}

}  // namespace zentarix
