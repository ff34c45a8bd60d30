#include "diagram/diagram_labels.h"

#include "calc/number_render.h"

namespace zentarix {

namespace {

// The stored double widens to extended exactly.
std::string Label(const char* pattern, double value) {
  return FormatNumber(pattern, static_cast<Extended>(value));
}

}  // namespace

DiagramLabels MakeDiagramLabels(const TCalcItem& item, MoveDirection direction) {
  const bool falling = direction == MoveDirection::Falling;
  const double upperF3 = falling ? item.F3Minus : item.F3Plus;
  const double lowerF3 = falling ? item.F3Plus : item.F3Minus;
  const double upperF5 = falling ? item.F5Minus : item.F5Plus;
  const double lowerF5 = falling ? item.F5Plus : item.F5Minus;
  return {
      Label("+F3 = %.4n", upperF3),   Label("-F3 = %.4n", lowerF3), Label("+F5 = %.4n", upperF5),
      Label("-F5 = %.4n", lowerF5),   Level50Text(item.Level50),    Label("A = %.4n", item.ValueA),
      Label("B = %.4n", item.ValueB), Label("F3 = %.4n", item.F3),  Label("F5 = %.4n", item.F5),
  };
}

}  // namespace zentarix
