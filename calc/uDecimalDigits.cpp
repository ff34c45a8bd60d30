#include <cassert>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "calc/uExtendedBits.h"
#include "calc/uNumberText.h"
#include "calc/uPowersOfTen.h"

namespace zentarix {

namespace {

constexpr int FormDigits = 18;
constexpr Extended TenToThe18 = 1e18L;
constexpr std::uint64_t IntegerBit = 0x8000000000000000ULL;

// Rounds to an integral value in the current rounding mode (nearest, ties to even).
Extended RoundToIntegral(Extended x) {
  asm("frndint" : "+t"(x));
  return x;
}

// Rounds a value below 2^63 to an integer in the current rounding mode with fistp;
// a plain cast would switch the rounding mode to truncation and back, which costs far more.
std::uint64_t RoundToUnsigned(Extended x) {
  // 2^63 and above, negatives and NaN would store the integer indefinite, 2^63, silently.
  assert(x >= 0 && x < 0x1p63L);
  std::int64_t result;
  asm("fistpll %0" : "=m"(result) : "t"(x) : "st");
  return static_cast<std::uint64_t>(result);
}

// Writes 9 digits of a value below 10^9, two at a time from the right.
void WriteNineDigits(std::uint32_t value, char* out) {
  static constexpr char Pairs[] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  for (int i = 7; i >= 1; i -= 2, value /= 100) std::memcpy(out + i, Pairs + 2 * (value % 100), 2);
  out[0] = static_cast<char>('0' + value);
}

// The two halves are independent, which halves the chain of divisions.
void WriteEighteenDigits(std::uint64_t value, char (&digits)[FormDigits + 1]) {
  WriteNineDigits(static_cast<std::uint32_t>(value / 1000000000), digits);
  WriteNineDigits(static_cast<std::uint32_t>(value % 1000000000), digits + 9);
  digits[FormDigits] = '\0';
}

// The 18 decimal digits of |x| and the position of the decimal point: |x| ~ 0.d1..d18 x 10^E.
// The exponent estimate multiplies the binary exponent by 19728 / 65536, just below log10 2,
// so it is never too high for values of 1 or more; an estimate one too low is corrected by
// the division by ten.
void EighteenDigitForm(Extended x, int biasedExponent, char (&digits)[FormDigits + 1], int& e) {
  e = ((biasedExponent - 16383) * 19728 >> 16) + 1;  // >> on a negative product floors
  Extended y = RoundToIntegral(ScaleByTenInline(std::fabs(x), FormDigits - e));
  if (y >= TenToThe18) {
    // The quotient may fall on a half; the conversion below rounds it to even.
    y = y / 10.0L;
    ++e;
  }
  WriteEighteenDigits(RoundToUnsigned(y), digits);
}

// Cuts the digits at k, rounding half away from zero on the 18-digit form; returns how many
// digits are left.
int RoundAt(char (&digits)[FormDigits + 1], int k, int& e) {
  const bool roundUp = digits[k] >= '5';
  digits[k] = '\0';
  if (!roundUp) return k;
  int i = k - 1;
  // A digit that passes 9 is dropped (it would be a trailing zero) and the carry moves on.
  while (i >= 0 && digits[i] == '9') digits[i--] = '\0';
  if (i >= 0) {
    ++digits[i];
    return i + 1;
  }
  digits[0] = '1';
  digits[1] = '\0';
  ++e;
  return 1;
}

DecimalDigits Special(std::int16_t exponent, bool negative) {
  DecimalDigits result;
  result.Exponent = exponent;
  result.Negative = negative;
  return result;
}

}  // namespace

DecimalDigits ToDecimalDigits(Extended x, int precision, int decimals) {
  const ExtendedBits bits = SplitExtended(x);
  if (bits.BiasedExponent == 0) return Special(0, false);  // zeros and denormals
  if (bits.BiasedExponent == 0x7FFF) {
    return bits.Significand == IntegerBit ? Special(DecimalDigits::InfinityExponent, bits.Negative)
                                          : Special(DecimalDigits::NanExponent, false);
  }
  // An unnormal (integer bit clear with a non-zero exponent) is no number the hardware
  // computes with; it reads as NaN rather than as garbage digits.
  if ((bits.Significand & IntegerBit) == 0) return Special(DecimalDigits::NanExponent, false);

  // The digits are written where they are returned: copying them as a whole right after they
  // were stored byte by byte would stall on the store forwarding.
  DecimalDigits result;
  char(&digits)[FormDigits + 1] = result.Digits;
  int e;
  EighteenDigitForm(x, bits.BiasedExponent, digits, e);

  int k = e + decimals;
  if (k < 0) return Special(0, false);
  if (k > precision) k = precision;
  int length = k < FormDigits ? RoundAt(digits, k, e) : FormDigits;
  while (length > 0 && digits[length - 1] == '0') --length;
  // Nothing of the 18-digit form is left behind the terminator.
  std::fill(digits + length, digits + FormDigits + 1, '\0');

  result.Exponent = static_cast<std::int16_t>(e);
  result.Negative = length > 0 && bits.Negative;
  result.Length = static_cast<std::int8_t>(length);
  return result;
}

}  // namespace zentarix
