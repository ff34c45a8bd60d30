#include <cmath>
#include <cstdint>
#include <cstring>

#include "calc/uExtendedBits.h"
#include "calc/uNumberText.h"

namespace zentarix {

namespace {

constexpr int FormDigits = 18;
constexpr Extended TenToThe18 = 1e18L;
constexpr std::uint64_t IntegerBit = 0x8000000000000000ULL;

// The 18 decimal digits of |x| and the position of the decimal point: |x| ~ 0.d1..d18 x 10^E.
// The exponent estimate multiplies the binary exponent by 19728 / 65536, just below log10 2,
// so it is never too high for values of 1 or more; step 5 corrects an estimate one too low.
void EighteenDigitForm(Extended x, int biasedExponent, char (&digits)[FormDigits + 1], int& e) {
  e = ((biasedExponent - 16383) * 19728 >> 16) + 1;  // >> on a negative product floors
  Extended y = std::rint(ScaleByTen(std::fabs(x), FormDigits - e));
  if (y >= TenToThe18) {
    y = y / 10.0L;
    ++e;
  }
  // Rounding again settles a half that the division by ten may have left, to even.
  auto whole = static_cast<std::uint64_t>(std::rint(y));
  for (int i = FormDigits - 1; i >= 0; --i, whole /= 10) digits[i] = static_cast<char>('0' + whole % 10);
  digits[FormDigits] = '\0';
}

// Cuts the digits at k, rounding half away from zero on the 18-digit form.
void RoundAt(char (&digits)[FormDigits + 1], int k, int& e) {
  const bool roundUp = digits[k] >= '5';
  digits[k] = '\0';
  if (!roundUp) return;
  int i = k - 1;
  // A digit that passes 9 is dropped (it would be a trailing zero) and the carry moves on.
  while (i >= 0 && digits[i] == '9') digits[i--] = '\0';
  if (i >= 0) {
    ++digits[i];
  } else {
    digits[0] = '1';
    digits[1] = '\0';
    ++e;
  }
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

  char digits[FormDigits + 1];
  int e;
  EighteenDigitForm(x, bits.BiasedExponent, digits, e);

  int k = e + decimals;
  if (k < 0) return Special(0, false);
  if (k > precision) k = precision;
  if (k < FormDigits) RoundAt(digits, k, e);

  std::size_t length = std::strlen(digits);
  while (length > 0 && digits[length - 1] == '0') digits[--length] = '\0';

  DecimalDigits result;
  result.Exponent = static_cast<std::int16_t>(e);
  result.Negative = length > 0 && bits.Negative;
  std::memcpy(result.Digits, digits, length + 1);
  return result;
}

}  // namespace zentarix
