#include "desktop/canvas_picture.h"

#include <QBuffer>
#include <QByteArray>
#include <QSaveFile>
#include <memory>

#include "desktop/svg_device.h"

namespace zentarix {

namespace {

void PaintOnWhite(QPainter& painter, const CanvasPicture& picture, LineMode mode) {
  painter.fillRect(QRect(QPoint(0, 0), picture.Area), Qt::white);
  PaintCanvasPicture(painter, picture, mode);
}

// At 96 dots an inch the width and height the file states are the picture's size in CSS
// pixels. problem says why when the SVG module cannot be loaded.
bool DrawSvg(QIODevice& out, const CanvasPicture& picture, QString& problem) {
  const std::unique_ptr<QPaintDevice> svg =
      OpenSvgDevice(out, SvgPage{picture.Area, 96, picture.Title}, problem);
  QPainter painter;
  if (!svg || !painter.begin(svg.get())) return false;
  PaintOnWhite(painter, picture, LineMode::Vector);
  return painter.end();
}

// A short write (a file size limit reached part-way, say) leaves no reason behind: the write
// that follows it fails outright and records the system's reason.
bool WriteWhole(QSaveFile& out, const QByteArray& bytes) {
  qint64 written = 0;
  while (written < bytes.size()) {
    const qint64 count = out.write(bytes.constData() + written, bytes.size() - written);
    if (count <= 0) return false;
    written += count;
  }
  return out.flush();
}

}  // namespace

void PaintCanvasPicture(QPainter& painter, const CanvasPicture& picture, LineMode mode) {
  CanvasReplay canvas(painter, picture.Area, picture.Font, WhiteGroundPalette(), picture.BrushColor,
                      picture.FontColor, mode);
  canvas.Replay(picture.Ops);
}

QImage CanvasImage(const CanvasPicture& picture, qreal ratio) {
  QImage image(picture.Area * ratio, QImage::Format_RGB32);
  if (image.isNull()) return image;
  image.setDevicePixelRatio(ratio);
  QPainter painter(&image);
  PaintOnWhite(painter, picture, LineMode::Pixels);
  return image;
}

QString SaveCanvasPicture(const QString& file, const CanvasPicture& picture, qreal ratio) {
  // Drawn in memory first: the file then sees one write, whose failure Qt reports with the
  // system's reason (an encoder writing to a failing file would print its own complaints).
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (file.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
    QString problem;
    if (!DrawSvg(buffer, picture, problem)) {
      return problem.isEmpty() ? QStringLiteral("the picture could not be drawn") : problem;
    }
  } else {
    const QImage image = CanvasImage(picture, ratio);
    if (image.isNull()) {
      return QStringLiteral("no memory for %1x%2 pixels")
          .arg(picture.Area.width() * ratio)
          .arg(picture.Area.height() * ratio);
    }
    image.save(&buffer, "PNG");
  }
  // Written whole and synced under a temporary name, then renamed into place; not committed,
  // the temporary file is removed. A failed write shows before commit, whose closing of the
  // file would forget the reason.
  QSaveFile out(file);
  if (!out.open(QIODevice::WriteOnly) || !WriteWhole(out, bytes) || !out.commit()) {
    return out.errorString().isEmpty() ? QStringLiteral("the picture could not be written")
                                       : out.errorString();
  }
  return QString();
}

}  // namespace zentarix
