#include "chart/label_layout.h"

#include <algorithm>

namespace zentarix {

std::optional<LabelBox> LabelLayout::Place(std::span<const LabelBox> candidates,
                                           const LabelBox& area) {
  for (const LabelBox& box : candidates) {
    if (!box.Inside(area)) continue;
    const bool free = std::none_of(FTaken.begin(), FTaken.end(),
                                   [&box](const LabelBox& taken) { return box.Overlaps(taken); });
    if (!free) continue;
    FTaken.push_back(box);
    return box;
  }
  return std::nullopt;
}

std::vector<LabelBox> StackedCandidates(int left, int top, int width, int height, int steps) {
  std::vector<LabelBox> candidates;
  const int shift = std::max(1, height / 2);
  for (int step = 0; step <= steps; ++step) {
    for (const int sign : {-1, 1}) {
      if (step == 0 && sign > 0) continue;
      const int y = top + sign * step * shift;
      candidates.push_back({left, y, left + width, y + height});
    }
  }
  return candidates;
}

}  // namespace zentarix
