// The number texts the program writes: the fixed grouped form at a given count of decimals, the
// scientific form of large magnitudes, and the "%.4n" patterns of the listing and the diagram.
// Written with DecimalMark and GroupMark (number_settings.h) from the value's decimal digits
// (decimal_digits.h); apart from the parse, which nothing that only writes needs.
#pragma once

#include <string>
#include <string_view>

#include "calc/extended.h"

namespace zentarix {

// The fixed grouped form with `decimals` decimals (0 to 18), the scientific form from 10^18
// on, "INF", "-INF" and "NAN".
std::string RenderNumber(Extended value, int decimals);
// Copies pattern with its "%.4n" replaced by RenderNumber(value, 4).
std::string FormatNumber(std::string_view pattern, Extended value);

}  // namespace zentarix
