// The decimal form against an exact re-computation: the same steps carried out in MPFR, each
// operation rounded once to the extended format, and the digit rounding done on integers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "calc/decimal_digits.h"
#include "calc/extended_bits.h"
#include "tests/calc/extended_oracle.h"

using namespace zentarix;

namespace {

constexpr int RandomCases = 100000;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

struct OracleForm {
  int exponent = 0;
  bool negative = false;
  std::string digits;
};

OracleForm OracleDecimalDigits(long double x, int decimals) {
  const ExtendedBits bits = SplitExtended(x);
  OracleForm form;
  if (bits.BiasedExponent == 0) return form;
  std::int64_t e = FloorDiv((bits.BiasedExponent - 16383) * std::int64_t{19728}, 65536) + 1;
  const long double magnitude = bits.Negative ? -x : x;
  long double y = test::oracle::RoundToIntegral(
      test::oracle::ScaleByTenSteps(magnitude, static_cast<int>(18 - e)));
  if (y >= 1e18L) {
    y = test::oracle::RoundToIntegral(test::oracle::Div(y, 10.0L));
    ++e;
  }
  // Rounding half away from zero at k digits, on the 18-digit integer.
  std::uint64_t n = static_cast<std::uint64_t>(y);
  const std::int64_t k = std::min<std::int64_t>(e + decimals, 18);
  if (e + decimals < 0) return form;
  std::uint64_t power = 1;
  for (std::int64_t i = k; i < 18; ++i) power *= 10;
  std::uint64_t kept = n / power;
  if (k < 18 && (n / (power / 10)) % 10 >= 5) ++kept;
  std::uint64_t limit = 1;
  for (std::int64_t i = 0; i < k; ++i) limit *= 10;
  std::string digits = std::to_string(kept);
  if (kept == limit && kept != 0 && k < 18) {
    digits.assign(1, '1');
    ++e;
  } else {
    if (kept == 0) digits.clear();
    digits.insert(0, static_cast<std::size_t>(k) - digits.size(), '0');
  }
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
  form.exponent = static_cast<int>(e);
  form.negative = bits.Negative && !digits.empty();
  form.digits = digits;
  return form;
}

void ExpectSameForm(long double x, int decimals) {
  const DecimalDigits actual = ToDecimalDigits(x, 18, decimals);
  const OracleForm expected = OracleDecimalDigits(x, decimals);
  char bitsText[64];
  const ExtendedBits bits = SplitExtended(x);
  std::snprintf(bitsText, sizeof bitsText, "%c%04X:%016llX (%.20Lg), D=%d",
                bits.Negative ? '-' : '+', bits.BiasedExponent,
                static_cast<unsigned long long>(bits.Significand), x, decimals);
  ASSERT_EQ(actual.Digits, expected.digits) << bitsText;
  ASSERT_EQ(actual.Exponent, expected.exponent) << bitsText;
  ASSERT_EQ(actual.Negative, expected.negative) << bitsText;
}

TEST(DecimalDigitsOracle, RandomValuesOverTheWholeExponentRange) {
  std::mt19937_64 random(1);
  std::uniform_int_distribution<int> exponent(1, 0x7FFE);
  std::uniform_int_distribution<int> decimals(0, 18);
  for (int i = 0; i < RandomCases; ++i) {
    const ExtendedBits bits{random() | 0x8000000000000000ULL,
                            static_cast<std::uint16_t>(exponent(random)), (random() & 1) != 0};
    ExpectSameForm(JoinExtended(bits), i % 2 ? 4 : decimals(random));
  }
}

TEST(DecimalDigitsOracle, RandomValuesOfEverydayMagnitude) {
  std::mt19937_64 random(2);
  std::uniform_real_distribution<double> magnitude(-6.0, 19.0);
  for (int i = 0; i < RandomCases; ++i) {
    const long double x = std::pow(10.0L, static_cast<long double>(magnitude(random)));
    ExpectSameForm((random() & 1) ? -x : x, 4);
  }
}

// Values within a few units of the last bit of a half-way point of the fourth decimal, where
// rounding the 18-digit form half away from zero decides the last shown digit.
TEST(DecimalDigitsOracle, ValuesNearHalfwayPointsOfTheFourthDecimal) {
  std::mt19937_64 random(3);
  std::uniform_int_distribution<std::int64_t> units(0, 1000000000000LL);
  std::uniform_int_distribution<int> nudge(-3, 3);
  for (int i = 0; i < RandomCases; ++i) {
    const std::int64_t n = units(random) >> (random() % 40);
    long double x = test::oracle::NearestExtended(std::to_string(n) + "5e-5");
    for (int k = nudge(random); k != 0; k += k < 0 ? 1 : -1) {
      x = std::nextafter(x, k < 0 ? 0.0L : 1e30L);
    }
    ExpectSameForm(x, 4);
    ExpectSameForm(static_cast<long double>(static_cast<double>(x)), 4);
  }
}

}  // namespace
