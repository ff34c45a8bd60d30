// Levels at ratios of the user's own: the price a share R of the move back from B stands at,
// B - (B - A) x R, computed as F3 and F5 are, so that the ratio 0.382 gives F3 bit for bit.
//
//   A 100, B 110:  R 0.236 -> 107.64   R 1.618 -> 93.82   R -0.618 -> 116.18   R 0 -> 110
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "calc/extended.h"
#include "calc/uCalcItem.h"

namespace zentarix {

// A ratio as the user gave it: its value, and its text in plain decimal digits with "." as the
// mark ("0.236", "-0.618", "1.618"), which JSON and the stored settings write.
struct UserRatio {
  Extended Value = 0;
  std::string Text;
};

// At most this many ratios make a set: each is a line of the listing and of the chart.
inline constexpr std::size_t MaxUserRatios = 64;

enum class RatioAdded { Added, Repeated, TooMany };

// Adds ratio to the end of set unless a ratio equal in value is there already (0.5 and 0.50 are
// one ratio; the first text stays), or the set is full.
RatioAdded AddRatio(std::vector<UserRatio>& set, UserRatio ratio);

struct UserLevel {
  const UserRatio* Ratio;  // into the set the levels were computed from
  double Price;
};

// B - (B - A) x ratio from the record's stored A and B: the difference, the product and the
// result each rounded once to extended, the result stored as a double and, unlike the target
// points, never clamped. Throws EOverflow where the product leaves the extended range or the
// result the double range, as the record's own stores do.
double UserLevelPrice(const TCalcItem& item, Extended ratio);

// The levels of every ratio of set, in its order; throws as UserLevelPrice does.
std::vector<UserLevel> UserLevels(const TCalcItem& item, const std::vector<UserRatio>& set);

}  // namespace zentarix
