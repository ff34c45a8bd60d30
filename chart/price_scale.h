// The chart's price axis: where a price lies on the picture, and the round prices it marks.
#pragma once

#include <cstdint>
#include <vector>

#include "calc/extended.h"

namespace zentarix {

// Linear: high on topRow, low on bottomRow; a price lies on the row nearest its place between
// them. A span of one price is widened around it so that it is drawn in the middle.
class PriceScale {
 public:
  PriceScale(int topRow, int bottomRow, Extended low, Extended high);

  int Row(Extended price) const;
  Extended Low() const { return FLow; }
  Extended High() const { return FHigh; }

 private:
  int FTop;
  int FBottom;
  Extended FLow;
  Extended FHigh;
};

// Round prices between low and high: the multiples of one step of 1, 2 or 5 times a power of
// ten, the smallest such step that gives at most `most` of them (at least one tick when the
// span holds a multiple). Decimals says how many the step needs: 0.25 is not a step, 0.2 needs
// one. For example low 101.3, high 118.9, most 10: step 2, ticks 102 ... 118, decimals 0.
struct PriceTicks {
  Extended Step = 0;
  int Decimals = 0;
  std::vector<Extended> Prices;
};
PriceTicks RoundTicks(Extended low, Extended high, int most);

}  // namespace zentarix
