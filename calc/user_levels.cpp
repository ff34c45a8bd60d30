#include "calc/user_levels.h"

#include <algorithm>
#include <utility>

#include "calc/uFloatEnv.h"

namespace zentarix {

RatioAdded AddRatio(std::vector<UserRatio>& set, UserRatio ratio) {
  const bool repeated = std::any_of(set.begin(), set.end(), [&ratio](const UserRatio& held) {
    return held.Value == ratio.Value;
  });
  if (repeated) return RatioAdded::Repeated;
  if (set.size() >= MaxUserRatios) return RatioAdded::TooMany;
  set.push_back(std::move(ratio));
  return RatioAdded::Added;
}

double UserLevelPrice(const TCalcItem& item, Extended ratio) {
  const Extended A = item.ValueA;
  const Extended B = item.ValueB;
  // The difference of two doubles never leaves the extended range; the product may, for a
  // ratio beyond the double range. The difference that follows rounds within it.
  return StoreDouble(B - CheckedMultiply(B - A, ratio));
}

std::vector<UserLevel> UserLevels(const TCalcItem& item, const std::vector<UserRatio>& set) {
  std::vector<UserLevel> levels;
  levels.reserve(set.size());
  for (const UserRatio& ratio : set) levels.push_back({&ratio, UserLevelPrice(item, ratio.Value)});
  return levels;
}

}  // namespace zentarix
