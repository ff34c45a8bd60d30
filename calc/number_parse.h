// The number parse: a text in the input grammar, under the locale's decimal mark, read into an
// extended value. The short texts nearly every field holds are scanned inline (ParseNumberOr),
// which is why this header brings the scan's readers (number_scan.h) and the x87 word switch
// with it; every other text goes to the full parse in number_parse.cpp.
#pragma once

#include <string_view>

#include "calc/extended.h"
#include "calc/number_scan.h"
#include "calc/number_settings.h"
#include "calc/uFloatEnv.h"
#include "calc/x87.h"

namespace zentarix {

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

// ParseOrNaN under the given decimal mark instead of the locale's, for texts whose convention
// is their own, such as the numbers of a data file.
Extended ParseOrNaNUnderMark(std::string_view text, char32_t mark);

// The value of text read under mark, or fallback. Inline, as is the scan of the short texts
// nearly every field holds: a long double passed to a call, or handed back through a reference,
// travels through memory, and a reload right after a store of ten bytes waits for the store.
inline Extended ParseUnderMarkOr(std::string_view text, char32_t mark, Extended fallback) {
  // Every condition silent, 64-bit significand, round to nearest; the caller's word is back on
  // every way out.
  const ScopedHardwareWord parseWord(fpu::ParseWord);
  Extended value;
  switch (scan::ScanShortNumber(text.data(), text.data() + text.size(), mark, value)) {
    case scan::ShortScan::Number:
      return value;
    case scan::ShortScan::NotANumber:
      return fallback;
    case scan::ShortScan::Undecided:
      break;
  }
  value = ParseOrNaNUnderMark(text, mark);
  return value != value ? fallback : value;
}

// TryParseNumber's value, or fallback.
inline Extended ParseNumberOr(std::string_view text, Extended fallback) {
  return ParseUnderMarkOr(text, DecimalMark, fallback);
}

}  // namespace zentarix
