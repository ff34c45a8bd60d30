// The level diagram in words, for screen readers: the direction of the move, then the labels
// the diagram shows: A and B, the F3 level between its corridor's upper and lower bound, the
// 50% level, and the F5 level between its corridor's bounds.
#pragma once

#include <string>

#include "calc/uCalcItem.h"

namespace zentarix {

// The texts are those of the diagram's labels, so a reader hears the numbers the picture shows,
// also after a failed test, when the record holds the rejected inputs with the levels of the
// last successful run.
std::string DiagramSummary(const TCalcItem& item);

}  // namespace zentarix
