// The texts written on the level diagram, each one value rendered with four decimals.
#pragma once

#include <string>

#include "calc/uCalcItem.h"
#include "diagram/diagram_geometry.h"

namespace zentarix {

struct DiagramLabels {
  std::string UpperF3, LowerF3, UpperF5, LowerF5;  // the corridor bounds above and below
  std::string Level50, A, B, F3, F5;
};

// The label above a band shows the bound that is the higher one for a positive noise: for a
// falling move d = (B - A) x Noise is negative, so the Minus bounds go above.
DiagramLabels MakeDiagramLabels(const TCalcItem& item, MoveDirection direction);

}  // namespace zentarix
