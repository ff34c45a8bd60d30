// Every entry of the three power tables is the extended value nearest to its power of ten.
#include "calc/powers_of_ten.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/calc/extended_oracle.h"
#include "tests/support/row_printer.h"

using namespace zentarix;

namespace {

using zentarix::test::PrintTo;

void ExpectNearestPower(const char* table, int index, long double entry, int power) {
  EXPECT_EQ(entry, test::oracle::NearestExtended("1e" + std::to_string(power)))
      << table << "[" << index << "] should be 10^" << power;
}

TEST(PowersOfTen, EveryEntryIsTheNearestExtendedPower) {
  for (int k = 0; k < 32; ++k) ExpectNearestPower("T0", k, PowersOfTenT0[k], k);
  for (int k = 1; k < 16; ++k) ExpectNearestPower("T1", k, PowersOfTenT1[k], 32 * k);
  for (int k = 1; k < 10; ++k) ExpectNearestPower("T2", k, PowersOfTenT2[k], 512 * k);
}

struct ScaleCase {
  const char* name;
  long double x;
  int n;
  const char* expected;  // the exact decimal the scaled value should be nearest to
};

class ScaleByTenExact : public ::testing::TestWithParam<ScaleCase> {};

// Where one table step suffices, the scaling is a single correctly rounded operation.
TEST_P(ScaleByTenExact, SingleStepScalingIsCorrectlyRounded) {
  const ScaleCase& c = GetParam();
  EXPECT_EQ(ScaleByTen(c.x, c.n), test::oracle::NearestExtended(c.expected)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Cases, ScaleByTenExact,
                         ::testing::Values(ScaleCase{"ZeroStepsKeepsValue", 7.0L, 0, "7"},
                                           ScaleCase{"UpByTwentySeven", 3.0L, 27, "3e27"},
                                           ScaleCase{"DownByTwentySeven", 3.0L, -27, "3e-27"},
                                           ScaleCase{"DownByOne", 1.0L, -1, "0.1"},
                                           ScaleCase{"UpBy32UsesT1Alone", 1.0L, 32, "1e32"},
                                           ScaleCase{"UpBy512UsesT2Alone", 1.0L, 512, "1e512"},
                                           ScaleCase{"UpBy4608UsesT2Alone", 1.0L, 4608, "1e4608"},
                                           ScaleCase{"DownBy5120GivesZero", 1e300L, -5120, "0"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScaleByTenRange, StepsBeyondTheTablesOverflowToInfinity) {
  EXPECT_EQ(ScaleByTen(1.0L, 6000), std::numeric_limits<long double>::infinity());
  EXPECT_EQ(ScaleByTen(0.0L, 6000), 0.0L);
}

}  // namespace
