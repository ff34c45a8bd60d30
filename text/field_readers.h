// How the window reads its three fields: the values the exit checks compare with zero and the
// calculation uses. Shared by the window and everything else that takes the same texts.
#pragma once

#include <string_view>

#include "calc/extended.h"

namespace zentarix {

// What a field that holds no number reads as: a value below zero, which every check refuses.
inline constexpr Extended BadField = -1.0L;

// A or B. A full stop is read as the locale's decimal mark, so that "100.5" is a fraction
// under every locale (under a "," locale "100.5" and "100,5" are the same number).
Extended ReadAorB(std::string_view text);

// The noise in tenths of a percent, read as A and B are (a full stop is the decimal mark),
// neither rounded nor limited to the field's range.
Extended ReadNoise(std::string_view text);

// The same readers with another value for a text that holds no number, for callers that tell
// such a text apart from a number below zero.
Extended ReadAorBOr(std::string_view text, Extended fallback);
Extended ReadNoiseOr(std::string_view text, Extended fallback);

}  // namespace zentarix
