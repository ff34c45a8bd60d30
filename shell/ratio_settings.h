// The user's own ratios kept between runs, in the user's settings
// (~/.config/zentarix/zentarix.conf, or under XDG_CONFIG_HOME): the key levels/ratios holds the
// plain decimal texts, "0.236", "-0.618", in the set's order.
#pragma once

#include <vector>

#include "calc/user_levels.h"

namespace zentarix {

// The stored set; a text that is no ratio (a file edited by hand) is left out, and so is any
// ratio past the most a set holds. None stored: an empty set.
std::vector<UserRatio> LoadUserRatios();

void SaveUserRatios(const std::vector<UserRatio>& ratios);

}  // namespace zentarix
