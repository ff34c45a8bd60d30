// The level rows and the corridor half-height on random sizes and noise fractions, against
// exact integer arithmetic: the product of the span and the factor rounded to a 64-bit
// significand, ties to even, then to an integer, ties to even. The factors are written here
// as their 64-bit significands and exponents, not taken from the code under test.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>

#include "calc/uFloatEnv.h"
#include "diagram/uDiagram.h"

using namespace zentarix;

namespace {

__extension__ using U128 = unsigned __int128;

// An exact binary value: Significand x 2^Exponent.
struct Binary {
  std::uint64_t Significand;
  int Exponent;
};

constexpr Binary Exact0382{0xC395810624DD2F1BULL, 0x3FFD - 16383 - 63};
constexpr Binary Exact0618{0x9E353F7CED916873ULL, 0x3FFE - 16383 - 63};
constexpr Binary Exact05{1, -1};

Binary OfDouble(double value) {
  int exponent = 0;
  const double fraction = std::frexp(std::fabs(value), &exponent);
  return {static_cast<std::uint64_t>(std::ldexp(fraction, 53)), exponent - 53};
}

int BitLength(U128 v) {
  int bits = 0;
  for (; v != 0; v >>= 1) ++bits;
  return bits;
}

// v / 2^shift rounded to nearest, ties to even.
U128 ShiftRoundEven(U128 v, int shift) {
  if (shift <= 0) return v;
  if (shift > 120) return 0;  // v < 2^100 here, so the quotient is below 1/2
  const U128 quotient = v >> shift;
  const U128 rest = v - (quotient << shift);
  const U128 half = U128{1} << (shift - 1);
  if (rest > half || (rest == half && (quotient & 1) != 0)) return quotient + 1;
  return quotient;
}

// R(f) for span h: |h| x f rounded to 64 significant bits, then to an integer.
std::int64_t ExactOffset(std::int64_t h, Binary f, bool negativeFactor = false) {
  U128 product = static_cast<U128>(h < 0 ? -h : h) * f.Significand;
  int exponent = f.Exponent;
  const int excess = BitLength(product) - 64;
  if (excess > 0) {
    product = ShiftRoundEven(product, excess);
    exponent += excess;
  }
  const U128 rounded = exponent >= 0 ? product << exponent : ShiftRoundEven(product, -exponent);
  const auto magnitude = static_cast<std::int64_t>(rounded);
  return (h < 0) != negativeFactor ? -magnitude : magnitude;
}

struct Band {
  std::int64_t Top, Bottom;
};

Band ExpectedBand(std::int64_t row, std::int64_t r) {
  if (2 * r < 20) return {row - 10, row + 10};
  return {row - r, row + r};
}

void CheckRowsAndBands(std::int32_t W, std::int32_t H, double noise, bool falling) {
  TCalcItem item;
  item.ValueA = falling ? 2.0 : 1.0;
  item.ValueB = falling ? 1.0 : 2.0;
  item.Noise = noise;
  const auto ops = BuildDiagramOps(W, H, item, 0, 0);
  ASSERT_EQ(ops.size(), 27u);

  const std::int64_t h = std::int64_t{H} - 60;
  const std::int64_t f3 = 30 + ExactOffset(h, falling ? Exact0618 : Exact0382);
  const std::int64_t f5 = 30 + ExactOffset(h, falling ? Exact0382 : Exact0618);
  const std::int64_t row50 = 30 + ExactOffset(h, Exact05);
  // Held at 2^29 rows either way; the bound is an integer, so holding commutes with rounding.
  const std::int64_t r =
      std::clamp<std::int64_t>(ExactOffset(h, OfDouble(noise), noise < 0), -(1 << 29), 1 << 29);
  const Band f3Band = ExpectedBand(f3, r);
  const Band f5Band = ExpectedBand(f5, r);

  SCOPED_TRACE(::testing::Message() << "W " << W << " H " << H << " noise " << std::hexfloat
                                    << noise << (falling ? " falling" : " rising"));
  EXPECT_EQ(ops[6].Y, f3);      // LineTo the end of the F3 leg
  EXPECT_EQ(ops[10].Y, f5);     // LineTo the end of the F5 leg
  EXPECT_EQ(ops[17].Y, row50);  // MoveTo the start of the 50% line
  EXPECT_EQ(ops[4].Y, f3Band.Top);
  EXPECT_EQ(ops[4].Bottom, f3Band.Bottom);
  EXPECT_EQ(ops[8].Y, f5Band.Top);
  EXPECT_EQ(ops[8].Bottom, f5Band.Bottom);
}

TEST(DiagramRounding, WindowHeightsAndFieldNoisesMatchExactArithmetic) {
  ResetFpu();
  std::mt19937_64 random(20240613);
  std::uniform_int_distribution<std::int32_t> heights(0, 4000);
  std::uniform_int_distribution<int> tenths(0, 100);
  for (int i = 0; i < 20000; ++i) {
    // The noise the calculation stores: the double nearest tenths x 0.001 (via extended).
    const double noise = static_cast<double>(tenths(random) * 0.001L);
    CheckRowsAndBands(461, heights(random), noise, (i & 1) != 0);
  }
}

TEST(DiagramRounding, AnyHeightAndNoiseMatchExactArithmetic) {
  ResetFpu();
  std::mt19937_64 random(7);
  std::uniform_int_distribution<std::int32_t> heights(INT32_MIN + 60, INT32_MAX);
  std::uniform_real_distribution<double> exponents(-12.0, 3.0);
  for (int i = 0; i < 20000; ++i) {
    // Fractions from 10^-12 to 10^3 of either sign: products from 0 to far beyond 2^32.
    const double magnitude = std::pow(10.0, exponents(random));
    const double noise = (i % 3 == 0) ? -magnitude : magnitude;
    CheckRowsAndBands(1920, heights(random), noise, (i & 1) != 0);
  }
}

}  // namespace
