// The four-decimal grouped rendering, its scientific form and the template.
#include "calc/number_render.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

#include "tests/calc/extended_oracle.h"
#include "tests/support/marks_guard.h"
#include "tests/support/row_printer.h"

using namespace zentarix;

namespace {

using zentarix::test::PrintTo;

struct RenderCase {
  const char* name;
  long double value;
  const char* expected;
};

class RenderWithFullStopAndComma : public ::testing::TestWithParam<RenderCase> {};

TEST_P(RenderWithFullStopAndComma, RendersFourDecimals) {
  const MarksGuard marks(U'.', U',');
  EXPECT_EQ(RenderNumber(GetParam().value, 4), GetParam().expected) << GetParam().name;
}

const long double Infinity = std::numeric_limits<long double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Values, RenderWithFullStopAndComma,
    ::testing::Values(
        RenderCase{"Zero", 0.0L, "0.0000"}, RenderCase{"NegativeZero", -0.0L, "0.0000"},
        RenderCase{"Half", 0.5L, "0.5000"}, RenderCase{"Hundred", 100.0L, "100.0000"},
        RenderCase{"Grouped", 1234567.5L, "1,234,567.5000"},
        RenderCase{"NegativeGrouped", -1234.5678L, "-1,234.5678"},
        RenderCase{"ThreeDigitGroupNoMark", 123.25L, "123.2500"},
        RenderCase{"ExactHalfAwayFromZero", 0.03125L, "0.0313"},
        RenderCase{"NegativeExactHalfAwayFromZero", -0.03125L, "-0.0313"},
        RenderCase{"ExactHalfAboveOne", 1.03125L, "1.0313"},
        RenderCase{"DoubleJustBeyondMinusHalfUnit", static_cast<double>(-0.00005L), "-0.0001"},
        RenderCase{"DoubleJustBelowOneAndAHalfUnits", static_cast<double>(0.00015L), "0.0001"},
        RenderCase{"SmallNegativeLosesItsSign", static_cast<double>(-0.00004L), "0.0000"},
        RenderCase{"CarryIntoNewGroup", static_cast<double>(999.99995L), "1,000.0000"},
        RenderCase{"FifteenIntegerDigits", 123456789012345.671875L, "123,456,789,012,345.6720"},
        RenderCase{"EighteenIntegerDigits", 999999999999999872.0L, "999,999,999,999,999,872.0000"},
        RenderCase{"SmallFractionLeadingZeros", 0.0025L, "0.0025"},
        RenderCase{"TenToTheEighteen", 1e18L, "1E0018"},
        RenderCase{"NegativeScientific", -2.5e18L, "-2.5E0018"},
        RenderCase{"ScientificNineteen", 1.5e19L, "1.5E0019"},
        RenderCase{"ScientificThreeDigitExponent", 1e300L, "1E0300"},
        RenderCase{"ScientificFourDigitExponent", 1e4000L, "1E4000"},
        RenderCase{"RoundsUpToScientific", 999999999999999999.9L, "1E0018"},
        // 10^18 - 1/2, exact in extended: the tie goes to the even 10^18, 19 digits.
        RenderCase{"HalfBelowTenToTheEighteen", 999999999999999999.5L, "1E0018"},
        RenderCase{"Infinity", Infinity, "INF"}, RenderCase{"NegativeInfinity", -Infinity, "-INF"},
        RenderCase{"Nan", std::numeric_limits<long double>::quiet_NaN(), "NAN"},
        RenderCase{"DenormalIsZero", std::numeric_limits<long double>::denorm_min(), "0.0000"}),
    [](const auto& info) { return std::string(info.param.name); });

struct MarkCase {
  const char* name;
  char32_t decimal;
  char32_t group;
  long double value;
  int decimals;
  const char* expected;
};

class RenderUnderMarks : public ::testing::TestWithParam<MarkCase> {};

TEST_P(RenderUnderMarks, WritesTheMarksInForce) {
  const MarkCase& c = GetParam();
  const MarksGuard marks(c.decimal, c.group);
  EXPECT_EQ(RenderNumber(c.value, c.decimals), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Marks, RenderUnderMarks,
    ::testing::Values(
        MarkCase{"NoGroupMark", U'.', 0, 1234567.5L, 4, "1234567.5000"},
        MarkCase{"NoBreakSpaceGroups", U',', U'\u00A0', 1234567.5L, 4, "1\u00A0234\u00A0567,5000"},
        MarkCase{"NarrowNoBreakSpaceGroups", U',', U'\u202F', 1234567.5L, 4,
                 "1\u202F234\u202F567,5000"},
        MarkCase{"NoDecimalMark", 0, U',', 1.5L, 4, "15000"},
        MarkCase{"ScientificWithoutDecimalMark", 0, U',', 2.5e18L, 4, "25E0018"},
        MarkCase{"ScientificCommaMark", U',', U' ', -2.5e18L, 4, "-2,5E0018"},
        MarkCase{"EighteenIntegerDigitsStayFixed", U',', U' ', 999999999999999872.0L, 4,
                 "999 999 999 999 999 872,0000"},
        MarkCase{"ScientificFromTenToTheEighteen", U',', U' ', 1e18L, 4, "1E0018"},
        MarkCase{"NoDecimals", U'.', U',', 1234.5L, 0, "1,235"},
        MarkCase{"NoDecimalsRoundsHalfAway", U'.', U',', 2.5L, 0, "3"},
        MarkCase{"TwoDecimals", U'.', U',', 0.125L, 2, "0.13"},
        MarkCase{"EighteenDecimals", U'.', U',', 0.5L, 18, "0.500000000000000000"},
        MarkCase{"DecimalsBeyondEighteenAreCapped", U'.', U',', 0.5L, 40, "0.500000000000000000"},
        MarkCase{"NegativeDecimalsMeanNone", U'.', U',', 7.0L, -3, "7"},
        MarkCase{"ScientificExponentOneDigitForManyDecimals", U'.', U',', 1e19L, 6, "1E19"},
        MarkCase{"ScientificExponentUnpaddedForNoDecimals", U'.', U',', 1e19L, 0, "1E19"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FormatNumberTemplate, ReplacesTheConversionAndCopiesTheRest) {
  const MarksGuard marks(U'.', U',');
  EXPECT_EQ(FormatNumber("A = %.4n", Infinity), "A = INF");
  EXPECT_EQ(FormatNumber("  F3(1) = %.4n", 105.88L), "  F3(1) = 105.8800");
  EXPECT_EQ(FormatNumber("100% sure %d", 1.0L), "100% sure %d");
  EXPECT_EQ(FormatNumber("%.4n%", 1.0L), "1.0000%");
  EXPECT_EQ(FormatNumber("", 1.0L), "");
}

// The rendering shows the value to within half a unit of its last decimal (plus the cut to
// 18 significant digits): read back by strtold, it lies that close to the value.
TEST(RenderRoundTrip, RenderedTextIsWithinHalfAUnitOfTheValue) {
  const MarksGuard marks(U'.', 0);
  std::mt19937_64 random(11);
  std::uniform_real_distribution<double> magnitude(-5.0, 17.9);
  for (int i = 0; i < 100000; ++i) {
    const long double x = std::pow(10.0L, static_cast<long double>(magnitude(random)));
    const long double value = (random() & 1) ? x : -x;
    const std::string text = RenderNumber(value, 4);
    const long double back = std::strtold(text.c_str(), nullptr);
    const long double tolerance = 0.00005L + std::fabs(value) * 1e-17L;
    ASSERT_LE(std::fabs(back - value), tolerance) << text << " for " << static_cast<double>(value);
  }
}

}  // namespace
