#include "calc/decimal_digits.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "calc/extended_bits.h"
#include "calc/powers_of_ten.h"

namespace zentarix {

namespace {

constexpr int FormDigits = 18;
constexpr Extended TenToThe18 = 1e18L;
// 10^18 - 1/2, exact in extended (its spacing there is 1/16): the values from here on round
// to 10^18 or more under ties to even.
constexpr Extended LastBelowNineteenDigits = TenToThe18 - 0.5L;
constexpr std::uint64_t IntegerBit = 0x8000000000000000ULL;

// 10^0 ... 10^18, every power an 18-digit integer can be cut at.
constexpr std::uint64_t PowersOfTen[FormDigits + 1] = {1ULL,
                                                       10ULL,
                                                       100ULL,
                                                       1000ULL,
                                                       10000ULL,
                                                       100000ULL,
                                                       1000000ULL,
                                                       10000000ULL,
                                                       100000000ULL,
                                                       1000000000ULL,
                                                       10000000000ULL,
                                                       100000000000ULL,
                                                       1000000000000ULL,
                                                       10000000000000ULL,
                                                       100000000000000ULL,
                                                       1000000000000000ULL,
                                                       10000000000000000ULL,
                                                       100000000000000000ULL,
                                                       1000000000000000000ULL};

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

// |x| as 18 significant digits, an integer from 10^17 to 10^18 - 1, and the position of the
// decimal point: |x| ~ 0.d1..d18 x 10^e. The exponent estimate multiplies the binary exponent
// by 19728 / 65536, just below log10 2, so it is never too high for values of 1 or more; an
// estimate one too low is corrected by the division by ten.
std::uint64_t EighteenDigitForm(Extended x, int biasedExponent, int& e) {
  e = ((biasedExponent - 16383) * 19728 >> 16) + 1;  // >> on a negative product floors
  const Extended scaled = ScaleByTenInline(std::fabs(x), FormDigits - e);
  // Below this the value rounds to fewer than 19 digits, and the integer store rounds it
  // exactly as rounding to an integral value first would, at a fraction of the cost.
  if (scaled < LastBelowNineteenDigits) return RoundToUnsigned(scaled);
  Extended y = RoundToIntegral(scaled);
  if (y >= TenToThe18) {
    // The quotient may fall on a half; the conversion below rounds it to even.
    y = y / 10.0L;
    ++e;
  }
  return RoundToUnsigned(y);
}

// The first k digits of the 18-digit form, rounded half away from zero on the digit after
// them: the 18-digit integer cut at 10^(18 - k), plus one when the rest is half or more.
// When all k digits were nines the carry makes them 10^k, which is "1" one place up.
std::uint64_t RoundAt(std::uint64_t form, int& k, int& e) {
  assert(k >= 0 && k < FormDigits);
  const std::uint64_t unit = PowersOfTen[FormDigits - k];
  std::uint64_t kept = form / unit;
  if (form - kept * unit >= unit / 2) ++kept;
  if (kept == PowersOfTen[k]) {
    kept = 1;
    k = 1;
    ++e;
  }
  return kept;
}

// Drops the trailing zeros of a k-digit number, fewest divisions first by eight places.
std::uint64_t DropTrailingZeros(std::uint64_t digits, int& k) {
  if (digits == 0) {
    k = 0;
    return 0;
  }
  while (digits % 100000000 == 0) {
    digits /= 100000000;
    k -= 8;
  }
  for (const int places : {4, 2, 1}) {
    const std::uint64_t unit = PowersOfTen[places];
    if (digits % unit == 0) {
      digits /= unit;
      k -= places;
    }
  }
  return digits;
}

constexpr char Pairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes the count digits of value (below 10^count) at out, two at a time from the right.
void WriteDigits(std::uint32_t value, int count, char* out) {
  for (; count >= 2; count -= 2, value /= 100) {
    std::memcpy(out + count - 2, Pairs + 2 * (value % 100), 2);
  }
  if (count == 1) out[0] = static_cast<char>('0' + value);
}

// Writes the k digits of value (below 10^k) at out, in blocks of eight from the right: the
// blocks are independent, which shortens the chain of divisions.
void WriteNumber(std::uint64_t value, int k, char* out) {
  if (k > 8) {
    WriteNumber(value / 100000000, k - 8, out);
    WriteDigits(static_cast<std::uint32_t>(value % 100000000), 8, out + k - 8);
    return;
  }
  WriteDigits(static_cast<std::uint32_t>(value), k, out);
}

}  // namespace

// One returned object on every way out, so that it is built where the caller receives it, its
// digits zeroed once by their initialiser and then written only where they show.
DecimalDigits ToDecimalDigits(Extended x, int precision, int decimals) {
  DecimalDigits result;
  const ExtendedBits bits = SplitExtended(x);
  if (bits.BiasedExponent == 0) return result;  // zeros and denormals
  if (bits.BiasedExponent == 0x7FFF) {
    const bool infinity = bits.Significand == IntegerBit;
    result.Exponent = infinity ? DecimalDigits::InfinityExponent : DecimalDigits::NanExponent;
    result.Negative = infinity && bits.Negative;
    return result;
  }
  // An unnormal (integer bit clear with a non-zero exponent) is no number the hardware
  // computes with; it reads as NaN rather than as garbage digits.
  if ((bits.Significand & IntegerBit) == 0) {
    result.Exponent = DecimalDigits::NanExponent;
    return result;
  }

  int e;
  const std::uint64_t form = EighteenDigitForm(x, bits.BiasedExponent, e);
  int k = e + decimals;
  if (k < 0) return result;
  k = std::min({k, precision, FormDigits});
  std::uint64_t shown = k < FormDigits ? RoundAt(form, k, e) : form;
  shown = DropTrailingZeros(shown, k);
  WriteNumber(shown, k, result.Digits);

  result.Exponent = static_cast<std::int16_t>(e);
  result.Negative = k > 0 && bits.Negative;
  result.Length = static_cast<std::int8_t>(k);
  return result;
}

}  // namespace zentarix
