// The level formulas against an exact re-computation: each operation done in MPFR and
// rounded once to extended, each stored result rounded once to double.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "calc/uCalcItem.h"
#include "calc/uFloatEnv.h"
#include "calc/user_levels.h"
#include "tests/calc/extended_oracle.h"

using namespace zentarix;
using test::oracle::Add;
using test::oracle::Mul;
using test::oracle::Sub;

namespace {

struct Constants {
  long double f0001 = test::oracle::NearestExtended("0.001");
  long double f0382 = test::oracle::NearestExtended("0.382");
  long double f0618 = test::oracle::NearestExtended("0.618");
  long double f1618 = test::oracle::NearestExtended("1.618");
};

const Constants& K() {
  static const Constants constants;
  return constants;
}

struct Expected {
  double a, b, noise, f3, f5, f3Minus, f3Plus, f5Minus, f5Plus, level50;
  std::array<double, 6> targets;
};

Expected Recompute(long double a, long double b, long double tenths) {
  Expected e{};
  e.a = test::oracle::ToDouble(a);
  e.b = test::oracle::ToDouble(b);
  e.noise = test::oracle::ToDouble(Mul(tenths, K().f0001));
  const long double A = e.a, B = e.b, N = e.noise;
  const long double move = Sub(B, A);
  e.f3 = test::oracle::ToDouble(Sub(B, Mul(move, K().f0382)));
  e.f5 = test::oracle::ToDouble(Sub(B, Mul(move, K().f0618)));
  const long double d = Mul(move, N);
  e.f3Minus = test::oracle::ToDouble(Sub(e.f3, d));
  e.f3Plus = test::oracle::ToDouble(Add(d, e.f3));
  e.f5Minus = test::oracle::ToDouble(Sub(e.f5, d));
  e.f5Plus = test::oracle::ToDouble(Add(d, e.f5));
  e.level50 = test::oracle::ToDouble(Sub(B, Mul(move, 0.5L)));
  const long double projected[6] = {Add(Mul(move, K().f0618), e.f3),
                                    Add(Mul(move, K().f0618), e.f5),
                                    Add(move, e.f3),
                                    Add(move, e.f5),
                                    Add(Mul(move, K().f1618), e.f3),
                                    Add(Mul(move, K().f1618), e.f5)};
  for (int i = 0; i < 6; ++i) {
    const double t = test::oracle::ToDouble(projected[i]);
    e.targets[i] = t >= 0.0 ? t : 0.0;
  }
  return e;
}

// Bitwise equality, so that a wrong sign of zero is caught too.
::testing::AssertionResult Same(const char* field, double actual, double expected) {
  if (std::memcmp(&actual, &expected, sizeof actual) == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << field << " is " << actual << ", expected " << expected;
}

long double RandomInput(std::mt19937_64& random) {
  // Values of every-day size with up to 8 decimals, and raw extended values of any size the
  // double range holds.
  std::uniform_real_distribution<double> exponent(-12.0, 12.0);
  const long double raw = std::pow(10.0L, static_cast<long double>(exponent(random)));
  if (random() % 3 == 0) return std::round(raw * 1e8L) / 1e8L;
  return raw * (1.0L + static_cast<long double>(random() % 1000000) * 1e-7L);
}

TEST(CalcItemOracle, LevelsAndTargetsEqualTheExactRecomputationOnRandomInputs) {
  ResetFpu();
  std::mt19937_64 random(42);
  for (int i = 0; i < 100000; ++i) {
    const long double a = RandomInput(random);
    const long double b = RandomInput(random);
    const long double tenths = (i % 4 == 0) ? RandomInput(random) : random() % 101;
    TCalcItem item;
    ASSERT_TRUE(CalculateLevels(item, a, b, tenths));
    const Expected e = Recompute(a, b, tenths);
    const std::string input = "A=" + std::to_string(static_cast<double>(a)) +
                              " B=" + std::to_string(static_cast<double>(b)) +
                              " tenths=" + std::to_string(static_cast<double>(tenths));
    ASSERT_TRUE(Same("ValueA", item.ValueA, e.a)) << input;
    ASSERT_TRUE(Same("ValueB", item.ValueB, e.b)) << input;
    ASSERT_TRUE(Same("Noise", item.Noise, e.noise)) << input;
    ASSERT_TRUE(Same("F3", item.F3, e.f3)) << input;
    ASSERT_TRUE(Same("F5", item.F5, e.f5)) << input;
    ASSERT_TRUE(Same("F3Minus", item.F3Minus, e.f3Minus)) << input;
    ASSERT_TRUE(Same("F3Plus", item.F3Plus, e.f3Plus)) << input;
    ASSERT_TRUE(Same("F5Minus", item.F5Minus, e.f5Minus)) << input;
    ASSERT_TRUE(Same("F5Plus", item.F5Plus, e.f5Plus)) << input;
    ASSERT_TRUE(Same("Level50", item.Level50, e.level50)) << input;
    const std::array<double, 6> targets = TargetPoints(item);
    for (int t = 0; t < 6; ++t) {
      ASSERT_TRUE(Same(("target " + std::to_string(t)).c_str(), targets[t], e.targets[t])) << input;
    }
  }
}

// Ratios of every kind: every-day ones with three decimals, either sign, plain extended values
// from 1e-20 to 1e20, and values far beyond the double range, whose levels overflow.
long double RandomRatio(std::mt19937_64& random) {
  const long double sign = random() % 2 == 0 ? 1.0L : -1.0L;
  switch (random() % 4) {
    case 0:
      return sign * test::oracle::NearestExtended("0." + std::to_string(random() % 3000));
    case 1: {
      std::uniform_real_distribution<double> exponent(-20.0, 20.0);
      return sign * std::pow(10.0L, static_cast<long double>(exponent(random)));
    }
    case 2: {
      std::uniform_real_distribution<double> exponent(300.0, 4900.0);
      return sign * std::pow(10.0L, static_cast<long double>(exponent(random)));
    }
    default:
      return sign * static_cast<long double>(random() % 5);
  }
}

TEST(CalcItemOracle, UserLevelsEqualTheExactRecomputationOrOverflow) {
  ResetFpu();
  std::mt19937_64 random(7);
  int overflows = 0;
  for (int i = 0; i < 100000; ++i) {
    TCalcItem item;
    ASSERT_TRUE(CalculateLevels(item, RandomInput(random), RandomInput(random), 30));
    const long double ratio = RandomRatio(random);
    // Written only for a failure: a ratio of 1e4900 has as many digits in fixed notation.
    const auto input = [&] {
      char text[96];
      std::snprintf(text, sizeof text, "A=%.17g B=%.17g R=%.21Lg", item.ValueA, item.ValueB, ratio);
      return std::string(text);
    };
    // The ratio of F3 gives F3 itself.
    ASSERT_TRUE(Same("F3 ratio", UserLevelPrice(item, Factor0382), item.F3)) << input();
    const long double B = item.ValueB;
    const long double product = Mul(Sub(B, item.ValueA), ratio);
    const double expected = std::isinf(product) ? product : test::oracle::ToDouble(Sub(B, product));
    if (std::isinf(expected)) {
      ++overflows;
      ASSERT_THROW(UserLevelPrice(item, ratio), EOverflow) << input();
      continue;
    }
    ASSERT_TRUE(Same("level", UserLevelPrice(item, ratio), expected)) << input();
  }
  EXPECT_GT(overflows, 1000);
}

TEST(CalcItemOracle, LevelFactorsAreTheNearestExtendedValues) {
  EXPECT_EQ(Factor0001, K().f0001);
  EXPECT_EQ(Factor0382, K().f0382);
  EXPECT_EQ(Factor0618, K().f0618);
  EXPECT_EQ(Factor1618, K().f1618);
}

}  // namespace
