// Where the chart's labels go: each is given in order of priority and placed at the first of
// its candidate places that lies inside its area and overlaps no label placed before it and
// no blocked box (the title, the legend); a label with no such place is left out. Labels are
// therefore never drawn over each other, and the less important ones give way.
#pragma once

#include <optional>
#include <span>
#include <vector>

namespace zentarix {

// The pixels left <= x < right, top <= y < bottom.
struct LabelBox {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  bool Overlaps(const LabelBox& other) const {
    return Left < other.Right && other.Left < Right && Top < other.Bottom && other.Top < Bottom;
  }
  bool Inside(const LabelBox& area) const {
    return Left >= area.Left && Right <= area.Right && Top >= area.Top && Bottom <= area.Bottom;
  }
};

class LabelLayout {
 public:
  // A box nothing may overlap.
  void Block(const LabelBox& box) { FTaken.push_back(box); }
  // The first of the candidate boxes inside area that is free, now taken; none when none is.
  std::optional<LabelBox> Place(std::span<const LabelBox> candidates, const LabelBox& area);
  const std::vector<LabelBox>& Taken() const { return FTaken; }

 private:
  std::vector<LabelBox> FTaken;
};

// Candidates for a label of height h whose preferred top is top, left edge fixed: the
// preferred place, then h/2 away from it up and down by turns, up to `steps` each way.
std::vector<LabelBox> StackedCandidates(int left, int top, int width, int height, int steps);

}  // namespace zentarix
