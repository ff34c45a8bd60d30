#include "calc/number_parse.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "calc/powers_of_ten.h"
#include "calc/uFloatEnv.h"
#include "calc/utf8.h"

namespace zentarix {

namespace {

using namespace scan;

constexpr Extended NotANumber = std::numeric_limits<Extended>::quiet_NaN();

// accumulator := accumulator x 10 + digit, the product and the sum each rounded to extended.
// While the value stays below 2^64 every such step is exact, so the digits are gathered in an
// integer, which gives the same value much faster. From the first digit that would leave that
// range on, extended arithmetic takes over from the exact value (ContinueInExtended).
struct Digits {
  std::uint64_t Whole = 0;
  int Count = 0;  // digits gathered in Whole, leading zeros included
  bool InExtended = false;
  // The accumulator once InExtended. Left unset until then: nearly every parse never gets
  // there, and setting an extended zero costs a load and a store on every call.
  Extended Value;
};

// Reads the rest of the digits from p into the extended accumulator, starting from the exact
// value gathered so far; returns where the digits end.
ZENTARIX_READER const char* ContinueInExtended(const char* p, const char* end, Digits& digits) {
  // Each digit's value added from a table: converting it would take a store and a load.
  static constexpr double DigitValues[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  Extended accumulator = digits.InExtended ? digits.Value : static_cast<Extended>(digits.Whole);
  for (; p != end && IsDigit(*p); ++p) {
    accumulator = accumulator * 10.0L + DigitValues[*p - '0'];
  }
  digits.InExtended = true;
  digits.Value = accumulator;
  return p;
}

// Any 19 digits stay below 10^19 < 2^64; only from the twentieth on can the value leave the
// integer's range.
constexpr int ExactDigits = 19;

// Reads digits from p, in the integer while they fit it and in extended arithmetic from then
// on; returns where the digits end.
ZENTARIX_READER const char* ReadDigits(const char* p, const char* end, Digits& digits) {
  if (digits.InExtended) return ContinueInExtended(p, end, digits);
  // The first digits, up to the nineteenth in all, without a check per digit.
  const char* const stop = p + std::min<std::ptrdiff_t>(end - p, ExactDigits - digits.Count);
  const char* const gathered = GatherDigits(p, stop, digits.Whole);
  digits.Count += static_cast<int>(gathered - p);
  for (p = gathered; p != end && IsDigit(*p); ++p) {
    std::uint64_t next;
    const auto digit = static_cast<unsigned>(*p - '0');
    if (__builtin_mul_overflow(digits.Whole, 10u, &next) ||
        __builtin_add_overflow(next, digit, &next)) {
      return ContinueInExtended(p, end, digits);
    }
    digits.Whole = next;
  }
  return p;
}

// Reads [spaces][sign]digits[mark digits][e[sign]digits][spaces], any mark, any number of
// digits, any exponent. Returns the value, or NaN when the text is not a number.
class NumberScanner {
 public:
  NumberScanner(std::string_view text, char32_t mark)
      : FPos(text.data()), FEnd(text.data() + text.size()), FMark(mark) {}

  Extended Scan() {
    SkipSpaces(FPos, FEnd);
    const bool negative = ReadSign(FPos, FEnd);
    const char* start = FPos;
    Digits digits;
    FPos = ReadDigits(FPos, FEnd, digits);
    std::int64_t fractionDigits = 0;
    if (FMark.StartsAt(FPos, static_cast<std::size_t>(FEnd - FPos))) {
      FPos += FMark.Length;
      const char* fraction = FPos;
      FPos = ReadDigits(FPos, FEnd, digits);
      fractionDigits = FPos - fraction;
    }
    if (FPos == start) return NotANumber;  // neither a digit nor the mark
    const int exponent = ReadExponent(FPos, FEnd);
    SkipSpaces(FPos, FEnd);
    if (Peek(FPos, FEnd) != '\0') return Refused(digits);
    const std::int64_t n = exponent - fractionDigits;
    if (!digits.InExtended && n > -32 && n < 32) {
      // A whole number below 2^64 scaled once by at most 10^31 is zero or a normal number:
      // nothing can overflow or underflow on this path.
      const Extended value =
          ScaleByTenInline(static_cast<Extended>(digits.Whole), static_cast<int>(n));
      return negative ? -value : value;
    }
    return ScaleUnusual(digits, n, negative);
  }

 private:
  // Digits beyond 2^64 or a scaling beyond one table step: the cases that can overflow or
  // underflow. Both leave their flags; they are cleared so that no later check mistakes them
  // for its own. (A normal result can only have set the inexact flag, which nothing reports:
  // clearing that would cost more than the whole parse.)
  static Extended ScaleUnusual(const Digits& digits, std::int64_t n, bool negative) {
    const Extended accumulator =
        digits.InExtended ? digits.Value : static_cast<Extended>(digits.Whole);
    // Overflow while accumulating fails even where the scaling would give +0. With every
    // condition masked an overflow leaves an infinity, and nothing here can raise an invalid
    // operation (only finite values are multiplied and divided by finite powers), so an
    // infinity is exactly a failure by overflow.
    Extended value = NotANumber;
    if (!std::isinf(accumulator)) {
      // A fraction long enough to push n far below the scaling range gives +0 there.
      value = ScaleByTenInline(accumulator, static_cast<int>(std::max<std::int64_t>(n, -65536)));
      if (std::isinf(value)) value = NotANumber;
    }
    if (!std::isnormal(value)) ClearFpuFlags();
    return negative ? -value : value;
  }

  // A text that does not end where the number does. Its digits may have overflowed the
  // extended accumulator on the way; that flag must not outlive the parse either.
  static Extended Refused(const Digits& digits) {
    if (digits.InExtended) ClearFpuFlags();
    return NotANumber;
  }

  const char* FPos;
  const char* FEnd;
  EncodedCharacter FMark;
};

}  // namespace

Extended ParseOrNaN(std::string_view text) { return ParseOrNaNUnderMark(text, DecimalMark); }

Extended ParseOrNaNUnderMark(std::string_view text, char32_t mark) {
  const ScopedHardwareWord parseWord(fpu::ParseWord);
  return NumberScanner(text, mark).Scan();
}

bool TryParseNumber(std::string_view text, Extended& value) {
  const Extended result = ParseNumberOr(text, NotANumber);
  if (std::isnan(result)) return false;
  value = result;
  return true;
}

}  // namespace zentarix
