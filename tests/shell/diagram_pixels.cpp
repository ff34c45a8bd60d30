#include "tests/shell/diagram_pixels.h"

#include <algorithm>

namespace zentarix::test {

namespace {

constexpr QRgb White = 0xFFFFFFFF;
constexpr QRgb Band = 0xFFC8C8FF;  // red 200, green 200, blue 255
constexpr QRgb Red = 0xFFFF0000;

// The black ink at some coverage over a base colour: the base scaled by one factor, within
// the rounding of the blend. Smoothed glyph edges may reach past a label's opaque cell onto
// a band or the red line.
bool IsInkOver(QRgb pixel, QRgb base) {
  constexpr int Slack = 3;
  const int top = std::max({qRed(base), qGreen(base), qBlue(base)});
  const int top2 = std::max({qRed(pixel), qGreen(pixel), qBlue(pixel)});
  const auto scaled = [&](int channel) { return channel * top2 / top; };
  return std::abs(qRed(pixel) - scaled(qRed(base))) <= Slack &&
         std::abs(qGreen(pixel) - scaled(qGreen(base))) <= Slack &&
         std::abs(qBlue(pixel) - scaled(qBlue(base))) <= Slack;
}

bool IsInk(QRgb pixel) {
  return IsInkOver(pixel, White) || IsInkOver(pixel, Band) || IsInkOver(pixel, Red);
}

std::string Where(int x, int y, QRgb pixel) {
  return "at " + std::to_string(x) + "," + std::to_string(y) + " (0x" +
         QString::number(pixel, 16).toStdString() + ")";
}

}  // namespace

std::string CheckDiagramPixels(const QImage& image, bool hasMove) {
  if (image.isNull()) return "no image";
  const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
  const int width = pixels.width();
  const int height = pixels.height();
  bool sawBand = false;
  bool sawRed = false;
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
    for (int x = 0; x < width; ++x) {
      const QRgb pixel = row[x] | 0xFF000000;
      if (pixel == White) continue;
      if (!hasMove) return "a flat move drew something " + Where(x, y, pixel);
      if (pixel == Band) {
        sawBand = true;
      } else if (pixel == Red) {
        sawRed = true;
      } else if (!IsInk(pixel)) {
        return "a colour of no diagram part " + Where(x, y, pixel);
      }
    }
  }
  if (hasMove && !sawBand) return "a move without its bands";
  if (hasMove && !sawRed) return "a move without its 50% line";
  return "";
}

}  // namespace zentarix::test
