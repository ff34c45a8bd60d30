#include "history/zigzag.h"

#include <cassert>

namespace zentarix {

ZigZag::ZigZag(Extended percent) {
  assert(percent > 0 && percent < 100);
  const Extended fraction = percent / 100;
  FUp = 1 + fraction;
  FDown = 1 - fraction;
}

std::optional<Swing> ZigZag::Begin(const Bar& bar) {
  if (!FFirst && bar.High >= Times(FLowest.Low, FUp)) {
    FTrend = Trend::Rising;
    FStart = FLowest;
    FExtreme = bar;
  } else if (!FFirst && bar.Low <= Times(FHighest.High, FDown)) {
    FTrend = Trend::Falling;
    FStart = FHighest;
    FExtreme = bar;
  } else {
    if (FFirst || bar.High > FHighest.High) FHighest = bar;
    if (FFirst || bar.Low < FLowest.Low) FLowest = bar;
  }
  FFirst = false;
  return std::nullopt;
}

std::optional<Swing> ZigZag::Turn(Trend next, const Bar& bar) {
  Swing swing{FTrend == Trend::Rising, true, FStart, FExtreme};
  FTrend = next;
  FStart = FExtreme;
  FExtreme = bar;
  return swing;
}

std::optional<Swing> ZigZag::Finish() const {
  if (FTrend == Trend::None) return std::nullopt;
  return Swing{FTrend == Trend::Rising, false, FStart, FExtreme};
}

}  // namespace zentarix
