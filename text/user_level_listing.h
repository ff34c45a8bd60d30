// The block of the user's own levels after the listing's 19 lines: a heading, then one line a
// level, its ratio as a percentage and its price, the equals signs under one another:
//
//   Свои уровни
//     23,6% = 107,6400
//    161,8% = 93,8200
//    -61,8% = 116,1800
#pragma once

#include <string>
#include <vector>

#include "calc/user_levels.h"
#include "text/listing.h"

namespace zentarix {

// The ratio as a percentage in the locale's marks, with at most four decimals and no zeros
// ending them: 0.236 -> "23,6%", 0.2365 -> "23,65%", 1 -> "100%".
std::string RatioPercent(Extended ratio);

// " 23,6% = 107,6400" without its alignment: the percentage, " = " and the price with four
// decimals.
std::string UserLevelText(const UserLevel& level);

// Appends the heading and the levels' lines; nothing for no levels.
void AppendUserLevels(const std::vector<UserLevel>& levels, TextSink& memo,
                      const ListingTexts& texts);

}  // namespace zentarix
