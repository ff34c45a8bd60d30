// The number type of every calculation: the x87 80-bit extended format.
#pragma once

#include <limits>

namespace zentarix {

using Extended = long double;
static_assert(std::numeric_limits<Extended>::digits == 64,
              "Extended must be the x87 80-bit format with a 64-bit significand");

}  // namespace zentarix
