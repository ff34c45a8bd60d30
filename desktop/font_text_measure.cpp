#include "desktop/font_text_measure.h"

#include <QFontMetrics>
#include <QString>

namespace zentarix {

// As the replay sets them: a pixel size, bold and italic from the styles.
QFont FontTextMeasure::Sized(int pixels, TFontStyles styles) const {
  QFont font = FFont;
  if (pixels > 0) font.setPixelSize(pixels);
  font.setBold((styles & fsBold) != 0);
  font.setItalic((styles & fsItalic) != 0);
  return font;
}

int FontTextMeasure::Width(std::string_view text, int pixels, TFontStyles styles) const {
  const QFontMetrics metrics(Sized(pixels, styles), FDevice);
  return metrics.horizontalAdvance(
      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

int FontTextMeasure::Height(int pixels) const {
  return QFontMetrics(Sized(pixels, 0), FDevice).height();
}

}  // namespace zentarix
