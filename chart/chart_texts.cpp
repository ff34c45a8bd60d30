#include "chart/chart_texts.h"

namespace zentarix {

std::span<const char* const> ChartTexts() {
  static constexpr const char* Texts[] = {ChartTitleText, ThresholdText,    NoiseText,
                                          SwingDatesText, NotConfirmedText, FileText};
  return Texts;
}

}  // namespace zentarix
