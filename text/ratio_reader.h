// The user's own ratios read from their texts: the value as the window reads A and B (the
// locale's decimal mark, a full stop always accepted), and the text in plain decimal digits, the
// form JSON and the stored settings write:
//
//   ".5"     -> 0.5        "+00.50" -> 0.50       "5."     -> 5
//   "1e-1"   -> 0.1        "-,618"  -> -0.618     "1.50e1" -> 15.0
//   "  2 "   -> 2          "1,618"  -> 1.618 under a "," locale
//   "x", ""  -> none       "1 000"  -> none
#pragma once

#include <optional>
#include <string_view>

#include "calc/user_levels.h"

namespace zentarix {

std::optional<UserRatio> ReadRatio(std::string_view text);

}  // namespace zentarix
