// The decimal form of an extended value: its significant digits, rounded half away from zero at
// a count of decimals, and where the decimal point falls. The rendering writes its texts from
// it; the form stands apart so that its digits can be checked against an exact computation
// with no text and no locale marks in between.
#pragma once

#include <cstdint>

#include "calc/extended.h"

namespace zentarix {

// The decimal form of one value: value = 0.d1d2d3... x 10^Exponent.
struct DecimalDigits {
  static constexpr std::int16_t InfinityExponent = 0x7FFF;
  static constexpr std::int16_t NanExponent = static_cast<std::int16_t>(0x8000);

  std::int16_t Exponent = 0;
  bool Negative = false;
  char Digits[19] = {};    // up to 18 ASCII digits, never ending in '0', zero-terminated
  std::int8_t Length = 0;  // how many digits Digits holds
};

// The decimal form of x rounded half away from zero at `decimals` decimals, from its
// 18-digit form; precision caps the digit count.
DecimalDigits ToDecimalDigits(Extended x, int precision, int decimals);

}  // namespace zentarix
