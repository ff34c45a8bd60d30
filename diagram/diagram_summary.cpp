#include "diagram/diagram_summary.h"

#include "diagram/diagram_geometry.h"
#include "diagram/diagram_labels.h"

namespace zentarix {

std::string DiagramSummary(const TCalcItem& item, const SummaryTexts& texts) {
  const MoveDirection direction = DirectionOf(item);
  if (direction == MoveDirection::None) return texts.Empty;
  const DiagramLabels labels = MakeDiagramLabels(item, direction);
  const std::string& move = direction == MoveDirection::Rising ? texts.Rising : texts.Falling;
  return move + labels.A + ", " + labels.B + "; " + labels.UpperF3 + ", " + labels.F3 + ", " +
         labels.LowerF3 + "; " + labels.Level50 + "; " + labels.UpperF5 + ", " + labels.F5 + ", " +
         labels.LowerF5 + ".";
}

}  // namespace zentarix
