#include "spin/glyph.h"

#include <QImageReader>
#include <algorithm>

namespace zentarix {

int ValidNumGlyphs(int numGlyphs) { return std::clamp(numGlyphs, 1, 4); }

QImage CutGlyphImage(const QImage& glyph, int numGlyphs, GlyphImage kind) {
  const int count = ValidNumGlyphs(numGlyphs);
  const int index = static_cast<int>(kind);
  if (glyph.isNull() || index >= count) return {};
  const int width = glyph.width() / count;
  if (width <= 0) return {};

  const QRgb transparent = glyph.pixel(0, glyph.height() - 1);
  QImage image =
      glyph.copy(index * width, 0, width, glyph.height()).convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    std::replace(line, line + image.width(), transparent, qRgba(0, 0, 0, 0));
  }
  return image;
}

QImage InkedGlyph(QImage image, QColor ink) {
  if (image.isNull()) return image;
  image = image.convertToFormat(QImage::Format_ARGB32);
  const QRgb black = qRgb(0, 0, 0);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    std::replace(line, line + image.width(), black, ink.rgb());
  }
  return image;
}

QPixmap ReadPixmap(const QString& path, const char* format) {
  QImageReader reader(path, format);
  reader.setAutoDetectImageFormat(false);
  return QPixmap::fromImage(reader.read());
}

}  // namespace zentarix
