// How wide and tall a text is in a font, for the chart's layout: the metrics the replay draws
// the same text with, so that every label fits the box it was given.
#pragma once

#include <QFont>
#include <string_view>

#include "chart/text_measure.h"

class QPaintDevice;

namespace zentarix {

class FontTextMeasure : public TextMeasure {
 public:
  // device: the one drawn on, whose resolution the metrics follow (none: the screen's).
  explicit FontTextMeasure(const QFont& font, QPaintDevice* device = nullptr)
      : FFont(font), FDevice(device) {}

  int Width(std::string_view text, int pixels, TFontStyles styles) const override;
  int Height(int pixels) const override;

 private:
  QFont Sized(int pixels, TFontStyles styles) const;

  QFont FFont;
  QPaintDevice* FDevice;
};

}  // namespace zentarix
