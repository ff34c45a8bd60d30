// The level diagram in words, for screen readers: the direction of the move, then the labels
// the diagram shows: A and B, the F3 level between its corridor's upper and lower bound, the
// 50% level, and the F5 level between its corridor's bounds.
#pragma once

#include <string>

#include "calc/uCalcItem.h"

namespace zentarix {

// The words around the labels. The defaults are the system's Russian ones; the window passes
// those of the interface language.
struct SummaryTexts {
  std::string Empty = "Диаграмма пуста: A и B равны.";
  std::string Rising = "Рост: ";
  std::string Falling = "Падение: ";
};

// The texts are those of the diagram's labels, so a reader hears the numbers the picture shows,
// also after a failed test, when the record holds the rejected inputs with the levels of the
// last successful run.
std::string DiagramSummary(const TCalcItem& item, const SummaryTexts& texts = SummaryTexts());

}  // namespace zentarix
