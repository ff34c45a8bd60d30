// The calculation record: the worked examples, the validity test, the clamp of the targets,
// and where an overflow stops the calculation.
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

#include "calc/number_render.h"
#include "calc/uCalcItem.h"
#include "calc/uFloatEnv.h"
#include "tests/support/marks_guard.h"
#include "tests/support/row_printer.h"

using namespace zentarix;

namespace {

using zentarix::test::PrintTo;

std::string Shown(double value) { return RenderNumber(value, 4); }

std::vector<std::string> ShownLevels(const TCalcItem& item) {
  return {Shown(item.ValueA),  Shown(item.ValueB),  Shown(item.F3),
          Shown(item.F5),      Shown(item.F3Minus), Shown(item.F3Plus),
          Shown(item.F5Minus), Shown(item.F5Plus),  Shown(item.Level50)};
}

std::vector<std::string> ShownTargets(const TCalcItem& item) {
  std::vector<std::string> shown;
  for (double target : TargetPoints(item)) shown.push_back(Shown(target));
  return shown;
}

struct ExampleCase {
  const char* name;
  long double a, b, tenths;
  // A, B, F3, F5, F3Minus, F3Plus, F5Minus, F5Plus, Level50
  std::vector<std::string> levels;
  // COP(F3), COP(F5), OP(F3), OP(F5), XOP(F3), XOP(F5)
  std::vector<std::string> targets;
};

class CalcItemExample : public ::testing::TestWithParam<ExampleCase> {};

TEST_P(CalcItemExample, LevelsAndTargetsAsShownToFourDecimals) {
  const MarksGuard marks(U'.', U',');
  ResetFpu();
  const ExampleCase& c = GetParam();
  TCalcItem item;
  ASSERT_TRUE(CalculateLevels(item, c.a, c.b, c.tenths)) << c.name;
  EXPECT_EQ(ShownLevels(item), c.levels) << c.name;
  EXPECT_EQ(ShownTargets(item), c.targets) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, CalcItemExample,
    ::testing::Values(
        ExampleCase{"Rising",
                    100,
                    110,
                    30,
                    {"100.0000", "110.0000", "106.1800", "103.8200", "105.8800", "106.4800",
                     "103.5200", "104.1200", "105.0000"},
                    {"112.3600", "110.0000", "116.1800", "113.8200", "122.3600", "120.0000"}},
        ExampleCase{"FallingClampsFiveTargets",
                    100,
                    10,
                    30,
                    {"100.0000", "10.0000", "44.3800", "65.6200", "47.0800", "41.6800", "68.3200",
                     "62.9200", "55.0000"},
                    {"0.0000", "10.0000", "0.0000", "0.0000", "0.0000", "0.0000"}},
        // The 50% level lies half-way back from B whichever way the move goes.
        ExampleCase{"FallingByAnOddAmountWithoutNoise",
                    7,
                    2,
                    0,
                    {"7.0000", "2.0000", "3.9100", "5.0900", "3.9100", "3.9100", "5.0900", "5.0900",
                     "4.5000"},
                    {"0.8200", "2.0000", "0.0000", "0.0900", "0.0000", "0.0000"}},
        ExampleCase{"NoMove",
                    42,
                    42,
                    30,
                    {"42.0000", "42.0000", "42.0000", "42.0000", "42.0000", "42.0000", "42.0000",
                     "42.0000", "42.0000"},
                    {"42.0000", "42.0000", "42.0000", "42.0000", "42.0000", "42.0000"}},
        ExampleCase{"NoNoiseCollapsesCorridors",
                    100,
                    110,
                    0,
                    {"100.0000", "110.0000", "106.1800", "103.8200", "106.1800", "106.1800",
                     "103.8200", "103.8200", "105.0000"},
                    {"112.3600", "110.0000", "116.1800", "113.8200", "122.3600", "120.0000"}},
        ExampleCase{"AllZero",
                    0,
                    0,
                    0,
                    {"0.0000", "0.0000", "0.0000", "0.0000", "0.0000", "0.0000", "0.0000", "0.0000",
                     "0.0000"},
                    {"0.0000", "0.0000", "0.0000", "0.0000", "0.0000", "0.0000"}},
        ExampleCase{"NoiseOfThousandTenthsSpansTheMove",
                    100,
                    110,
                    1000,
                    {"100.0000", "110.0000", "106.1800", "103.8200", "96.1800", "116.1800",
                     "93.8200", "113.8200", "105.0000"},
                    {"112.3600", "110.0000", "116.1800", "113.8200", "122.3600", "120.0000"}},
        ExampleCase{"FallToZeroClampsOnlyTargets",
                    100,
                    0,
                    30,
                    {"100.0000", "0.0000", "38.2000", "61.8000", "41.2000", "35.2000", "64.8000",
                     "58.8000", "50.0000"},
                    {"0.0000", "0.0000", "0.0000", "0.0000", "0.0000", "0.0000"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CalcItemRecord, FieldsStartAtPositiveZeroInTheirDeclaredOrder) {
  const TCalcItem item;
  const double* fields[] = {&item.F3Plus,  &item.F3Minus, &item.Noise, &item.F5,
                            &item.ValueB,  &item.ValueA,  &item.F3,    &item.F5Plus,
                            &item.F5Minus, &item.Level50};
  for (std::size_t i = 0; i < std::size(fields); ++i) {
    EXPECT_EQ(*fields[i], 0.0) << "field " << i;
    EXPECT_FALSE(std::signbit(*fields[i])) << "field " << i;
    if (i > 0) {
      EXPECT_LT(fields[i - 1], fields[i]) << "field " << i << " out of order";
    }
  }
  EXPECT_EQ(sizeof(TCalcItem), 10 * sizeof(double));
}

struct RejectedCase {
  const char* name;
  long double a, b, tenths;
};

class CalcItemRejects : public ::testing::TestWithParam<RejectedCase> {};

TEST_P(CalcItemRejects, StoresTheInputsAndKeepsTheLastLevels) {
  ResetFpu();
  const RejectedCase& c = GetParam();
  TCalcItem item;
  ASSERT_TRUE(CalculateLevels(item, 100, 110, 30));
  const TCalcItem before = item;
  EXPECT_FALSE(CalculateLevels(item, c.a, c.b, c.tenths)) << c.name;
  EXPECT_EQ(item.ValueA, static_cast<double>(c.a)) << c.name;
  EXPECT_EQ(item.ValueB, static_cast<double>(c.b)) << c.name;
  EXPECT_EQ(item.F3, before.F3) << c.name;
  EXPECT_EQ(item.F5, before.F5) << c.name;
  EXPECT_EQ(item.F3Minus, before.F3Minus) << c.name;
  EXPECT_EQ(item.F3Plus, before.F3Plus) << c.name;
  EXPECT_EQ(item.F5Minus, before.F5Minus) << c.name;
  EXPECT_EQ(item.F5Plus, before.F5Plus) << c.name;
  EXPECT_EQ(item.Level50, before.Level50) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Inputs, CalcItemRejects,
                         ::testing::Values(RejectedCase{"SlightlyNegativeA", -0.0001L, 110, 30},
                                           RejectedCase{"NegativeB", 100, -1, 30},
                                           RejectedCase{"NegativeNoise", 100, 110, -1},
                                           RejectedCase{"AllNegative", -1, -1, -1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CalcItemValidity, NegativeZeroPassesAndIsStoredAsNegativeZero) {
  ResetFpu();
  TCalcItem item;
  ASSERT_TRUE(CalculateLevels(item, -0.0L, 10, -0.0L));
  EXPECT_TRUE(std::signbit(item.ValueA));
  EXPECT_TRUE(std::signbit(item.Noise));
}

TEST(CalcItemValidity, BelowDoubleRangeBecomesZeroWithoutError) {
  ResetFpu();
  TCalcItem item;
  ASSERT_TRUE(CalculateLevels(item, 1e-400L, 1e-320L, 30));
  EXPECT_EQ(item.ValueA, 0.0);
  EXPECT_GT(item.ValueB, 0.0);  // a denormal double
}

TEST(CalcItemOverflow, StopsAtTheStoreThatOverflowsAndKeepsTheStepsBefore) {
  ResetFpu();
  TCalcItem item;
  ASSERT_TRUE(CalculateLevels(item, 100, 110, 30));
  EXPECT_THROW(CalculateLevels(item, 5, 1e400L, 30), EOverflow);
  EXPECT_EQ(item.ValueA, 5.0);    // stored before the failing store
  EXPECT_EQ(item.ValueB, 110.0);  // the failing store wrote nothing
  EXPECT_THROW(CalculateLevels(item, 7, 8, 1e4000L), EOverflow);
  EXPECT_EQ(item.ValueA, 7.0);
  EXPECT_EQ(item.ValueB, 8.0);
  EXPECT_EQ(item.Noise, 0.03);
}

TEST(CalcItemOverflow, CorridorBeyondDoubleRangeStopsAfterTheLevels) {
  ResetFpu();
  TCalcItem item;
  // F3 and F5 still fit; the corridor offset (B - A) x 100 does not.
  EXPECT_THROW(CalculateLevels(item, 0, 1e307L, 100000), EOverflow);
  EXPECT_GT(item.F3, 1e306);     // the levels were stored
  EXPECT_EQ(item.F3Minus, 0.0);  // the overflowing corridor was not
}

TEST(CalcItemOverflow, TargetPointBeyondDoubleRangeRaises) {
  ResetFpu();
  TCalcItem item;
  ASSERT_TRUE(CalculateLevels(item, 0, 1.5e308L, 0));
  EXPECT_THROW(TargetPoints(item), EOverflow);
}

}  // namespace
