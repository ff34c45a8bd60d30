// The user's own ratios read from their texts: the value as the window reads A and B (the
// locale's decimal mark, a full stop always accepted), and the text in plain decimal digits, the
// form JSON and the stored settings write:
//
//   ".5"     -> 0.5        "+00.50" -> 0.50       "5."     -> 5
//   "1e-1"   -> 0.1        "-,618"  -> -0.618     "1.50e1" -> 15.0
//   "  2 "   -> 2          "1,618"  -> 1.618 under a "," locale
//   "x", ""  -> none       "1 000"  -> none
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/user_levels.h"

namespace zentarix {

std::optional<UserRatio> ReadRatio(std::string_view text);

// A set read from its texts in order, each value once (AddRatio).
struct RatioList {
  std::vector<UserRatio> Ratios;
  std::size_t BadText = NoBadText;  // the index of the first text that is no number
  bool TooMany = false;             // more than MaxUserRatios different values
  static constexpr std::size_t NoBadText = static_cast<std::size_t>(-1);
};

RatioList ReadRatioList(const std::vector<std::string>& texts);

}  // namespace zentarix
