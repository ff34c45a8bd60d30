// Number texts under the user's locale: the input grammar, the four-decimal grouped rendering,
// and the two locale marks both directions use. All arithmetic is in the x87 extended format.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "calc/extended.h"
#include "calc/number_scan.h"
#include "calc/uFloatEnv.h"

namespace zentarix {

// One Unicode character each; code 0 means "none" (nothing is written, nothing matches).
extern char32_t DecimalMark;
extern char32_t GroupMark;

// Reads [spaces][sign]digits[mark digits][e[sign]digits][spaces]. Fails for a text outside
// that grammar or one whose value overflows the extended range. Never throws; the control word
// and the condition flags are the caller's again afterwards. The text ends at its first NUL.
//
// With DecimalMark "," (a test reads these lines and checks each one):
//   "100"          -> 100
//   "  12 "        -> 12
//   "1,5"          -> 1.5
//   ",5"           -> 0.5
//   "5,"           -> 5
//   ","            -> 0
//   "1,5e2"        -> 150
//   "-3,25E-1"     -> -0.325
//   "1e"           -> 1
//   ""             -> refused
//   "1 000"        -> refused  (a blank inside the number)
//   "1,5,0"        -> refused  (a second mark)
//   "1.5"          -> refused  (not the locale's mark)
//   "- 5"          -> refused  (a blank after the sign)
//   "e5"           -> refused  (no digits)
//   "1e4999"       -> refused  (beyond the extended range)
bool TryParseNumber(std::string_view text, Extended& value);

// The parsed value, or a quiet NaN when the text is not a number (a parse never gives a NaN
// of its own). Reads any text the grammar allows, in full; the value comes back in a
// register.
Extended ParseOrNaN(std::string_view text);

// TryParseNumber's value, or fallback. Inline, as is the scan of the short texts nearly every
// field holds: a long double passed to a call, or handed back through a reference, travels
// through memory, and a reload right after a store of ten bytes waits for the store.
inline Extended ParseNumberOr(std::string_view text, Extended fallback) {
  // Every condition silent, 64-bit significand, round to nearest; the caller's word is back on
  // every way out.
  const ScopedHardwareWord parseWord(fpu::ParseWord);
  Extended value;
  switch (scan::ScanShortNumber(text.data(), text.data() + text.size(), DecimalMark, value)) {
    case scan::ShortScan::Number:
      return value;
    case scan::ShortScan::NotANumber:
      return fallback;
    case scan::ShortScan::Undecided:
      break;
  }
  value = ParseOrNaN(text);
  return value != value ? fallback : value;
}

// The fixed grouped form with `decimals` decimals (0 to 18), the scientific form from 10^18
// on, "INF", "-INF" and "NAN".
std::string RenderNumber(Extended value, int decimals);
// Copies pattern with its "%.4n" replaced by RenderNumber(value, 4).
std::string FormatNumber(std::string_view pattern, Extended value);

// x scaled by 10^n through the power tables, each product or quotient rounded to extended.
Extended ScaleByTen(Extended x, int n);

// Rounds to nearest, ties to even; EInvalidOp outside the signed 64-bit range or for NaN.
std::int64_t RoundToInteger(Extended x);

// Reads DecimalMark and GroupMark from the user's locale (LC_ALL, LC_NUMERIC, LANG).
void LoadNumberSettings();

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
