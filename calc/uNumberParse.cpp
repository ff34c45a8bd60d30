#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "calc/uFloatEnv.h"
#include "calc/uNumberText.h"
#include "calc/uPowersOfTen.h"
#include "calc/uUtf8.h"

namespace zentarix {

namespace {

// Exponent digits are read until e reaches this; any digit after that is left unread, which
// fails the parse at the end-of-text check.
constexpr int ExponentStop = 500;

constexpr Extended NotANumber = std::numeric_limits<Extended>::quiet_NaN();

// The decimal mark as its UTF-8 bytes, so that the scan compares bytes. Marks are nearly
// always ASCII, which needs no encoding.
struct EncodedMark {
  explicit EncodedMark(char32_t mark) {
    if (mark != 0 && mark < 0x80) {
      Bytes[0] = static_cast<char>(mark);
      Length = 1;
    } else {
      Length = EncodeUtf8(mark, Bytes);
    }
  }
  // Whether the text at p (with `left` bytes left) starts with the mark; a mark of code 0
  // (none) matches nothing.
  bool StartsAt(const char* p, std::size_t left) const {
    if (Length == 0 || left < Length) return false;
    for (std::size_t i = 0; i < Length; ++i) {
      if (p[i] != Bytes[i]) return false;
    }
    return true;
  }
  char Bytes[4] = {};
  std::size_t Length;
};

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

bool IsDigit(char ch) { return static_cast<unsigned char>(ch - '0') < 10; }

// Reads the rest of the digits from p into the extended accumulator, starting from the exact
// value gathered so far; returns where the digits end.
const char* ContinueInExtended(const char* p, const char* end, Digits& digits) {
  Extended accumulator = digits.InExtended ? digits.Value : static_cast<Extended>(digits.Whole);
  for (; p != end && IsDigit(*p); ++p) {
    accumulator = accumulator * 10.0L + static_cast<Extended>(*p - '0');
  }
  digits.InExtended = true;
  digits.Value = accumulator;
  return p;
}

// Reads digits from p, in the integer while they fit it and in extended arithmetic from then
// on; returns where the digits end.
const char* ReadDigits(const char* p, const char* end, Digits& digits) {
  if (digits.InExtended) return ContinueInExtended(p, end, digits);
  std::uint64_t whole = digits.Whole;
  int count = digits.Count;
  for (; p != end && IsDigit(*p); ++p) {
    const auto digit = static_cast<unsigned>(*p - '0');
    // Any 19 digits stay below 10^19 < 2^64; only from the twentieth on can the value leave
    // the integer's range.
    if (count < 19) {
      whole = whole * 10 + digit;
      ++count;
      continue;
    }
    std::uint64_t next;
    if (__builtin_mul_overflow(whole, 10u, &next) || __builtin_add_overflow(next, digit, &next)) {
      digits.Whole = whole;
      return ContinueInExtended(p, end, digits);
    }
    whole = next;
  }
  digits.Whole = whole;
  digits.Count = count;
  return p;
}

// Reads [spaces][sign]digits[mark digits][e[sign]digits][spaces] up to the end of the text or
// its first zero byte; a zero byte stops every loop below because it is no space, sign, digit,
// mark byte or exponent letter. Returns the value, or NaN when the text is not a number.
class NumberScanner {
 public:
  explicit NumberScanner(std::string_view text)
      : FPos(text.data()), FEnd(text.data() + text.size()), FMark(DecimalMark) {}

  Extended Scan() {
    SkipSpaces();
    const bool negative = Peek() == '-';
    if (negative || Peek() == '+') ++FPos;
    const char* start = FPos;
    Digits digits;
    FPos = ReadDigits(FPos, FEnd, digits);
    std::int64_t fractionDigits = 0;
    if (AtMark()) {
      FPos += FMark.Length;
      const char* fraction = FPos;
      FPos = ReadDigits(FPos, FEnd, digits);
      fractionDigits = FPos - fraction;
    }
    if (FPos == start) return NotANumber;  // neither a digit nor the mark
    const int exponent = ReadExponent();
    SkipSpaces();
    if (Peek() != '\0') return Refused(digits);
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
  [[gnu::noinline]] static Extended ScaleUnusual(const Digits& digits, std::int64_t n,
                                                 bool negative) {
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

  char Peek() const { return FPos != FEnd ? *FPos : '\0'; }

  void SkipSpaces() {
    while (Peek() == ' ') ++FPos;
  }

  bool AtMark() const { return FMark.StartsAt(FPos, static_cast<std::size_t>(FEnd - FPos)); }

  int ReadExponent() {
    if (Peek() != 'e' && Peek() != 'E') return 0;
    ++FPos;
    const bool negative = Peek() == '-';
    if (negative || Peek() == '+') ++FPos;
    int exponent = 0;
    while (exponent < ExponentStop && IsDigit(Peek())) {
      exponent = exponent * 10 + (*FPos - '0');
      ++FPos;
    }
    return negative ? -exponent : exponent;
  }

  const char* FPos;
  const char* FEnd;
  EncodedMark FMark;
};

}  // namespace

Extended ParseOrNaN(std::string_view text) {
  // Every condition silent, 64-bit significand, round to nearest; the caller's word is back
  // on every way out.
  const ScopedHardwareWord parseWord(fpu::ParseWord);
  return NumberScanner(text).Scan();
}

bool TryParseNumber(std::string_view text, Extended& value) {
  const Extended result = ParseOrNaN(text);
  if (std::isnan(result)) return false;
  value = result;
  return true;
}

}  // namespace zentarix
