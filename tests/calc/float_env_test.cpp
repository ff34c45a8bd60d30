// The floating-point policy: the three reported conditions surface as their error objects in
// every build type, the silent ones stay silent, and the words are loaded and restored.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "calc/uFloatEnv.h"
#include "tests/support/row_printer.h"

using namespace zentarix;

namespace {

using zentarix::test::PrintTo;

// Inputs pass through volatile so that the compiler cannot fold the operations away.
long double Runtime(long double x) {
  volatile long double v = x;
  return v;
}

// Makes word the default control word for one row and puts the previous one back, also when
// the row ends in an error.
class DefaultWordGuard {
 public:
  explicit DefaultWordGuard(std::uint16_t word) : FPrevious(DefaultFpuControlWord) {
    SetFpuControlWord(word);
  }
  ~DefaultWordGuard() { SetFpuControlWord(FPrevious); }
  DefaultWordGuard(const DefaultWordGuard&) = delete;
  DefaultWordGuard& operator=(const DefaultWordGuard&) = delete;

 private:
  std::uint16_t FPrevious;
};

struct RaisingCase {
  const char* name;
  std::function<void()> operation;
  std::string message;  // empty: no error expected
};

class FloatEnvRaising : public ::testing::TestWithParam<RaisingCase> {
 protected:
  void SetUp() override { ResetFpu(); }
};

TEST_P(FloatEnvRaising, RaisesExactlyTheReportedConditions) {
  const RaisingCase& c = GetParam();
  if (c.message.empty()) {
    EXPECT_NO_THROW(c.operation()) << c.name;
    return;
  }
  try {
    c.operation();
    ADD_FAILURE() << c.name << ": no error raised";
  } catch (const EMathError& error) {
    EXPECT_EQ(error.Message(), c.message) << c.name;
    EXPECT_STREQ(error.what(), c.message.c_str()) << c.name;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Operations, FloatEnvRaising,
    ::testing::Values(
        RaisingCase{"OneByZero", [] { CheckedDivide(Runtime(1), Runtime(0)); },
                    "Floating point division by zero"},
        RaisingCase{"ZeroByZero", [] { CheckedDivide(Runtime(0), Runtime(0)); },
                    "Invalid floating point operation"},
        RaisingCase{"ProductBeyondExtended",
                    [] { CheckedMultiply(Runtime(1e300L), Runtime(1e4700L)); },
                    "Floating point overflow"},
        RaisingCase{"StoreOfOverflowingProduct",
                    [] { StoreDouble(Runtime(1e300L) * Runtime(1e300L)); },
                    "Floating point overflow"},
        RaisingCase{"StoreOfExtendedBeyondDouble", [] { StoreDouble(Runtime(1e400L)); },
                    "Floating point overflow"},
        RaisingCase{"StoreOfUnderflowingProductIsSilent",
                    [] { EXPECT_EQ(StoreDouble(Runtime(1e-300L) * Runtime(1e-300L)), 0.0); }, ""},
        RaisingCase{"StoreOfInexactValueIsSilent", [] { StoreDouble(Runtime(0.1L)); }, ""},
        RaisingCase{"StoreOfInfinityIsNoOverflow",
                    [] { StoreDouble(std::numeric_limits<long double>::infinity()); }, ""},
        RaisingCase{"RoundBeyondInt64", [] { RoundToInteger(Runtime(9223372036854775808.0L)); },
                    "Invalid floating point operation"},
        RaisingCase{"RoundBelowInt64", [] { RoundToInteger(Runtime(-9223372036854775809.0L)); },
                    "Invalid floating point operation"},
        RaisingCase{"RoundNan",
                    [] { RoundToInteger(std::numeric_limits<long double>::quiet_NaN()); },
                    "Invalid floating point operation"},
        RaisingCase{"StoreAfterAnOverflowInPlainCodeIsClean",
                    [] {
                      // A condition left pending by code that checks nothing is not this
                      // store's error.
                      volatile long double lost = Runtime(1e4000L) * Runtime(1e4000L);
                      static_cast<void>(lost);
                      EXPECT_EQ(StoreDouble(Runtime(1.5L)), 1.5);
                    },
                    ""},
        RaisingCase{"StoreOfUnderflowUnderAWordThatReportsIt",
                    [] {
                      const DefaultWordGuard reportUnderflow(
                          static_cast<std::uint16_t>(DefaultFpuControlWord & ~fpu::UnderflowMask));
                      StoreDouble(Runtime(1e-4000L));
                    },
                    "Floating point underflow"},
        RaisingCase{"DivisionByDenormalIsNoError",
                    [] { CheckedDivide(Runtime(1e-4940L), Runtime(1e10L)); }, ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct RoundingCase {
  const char* name;
  long double input;
  std::int64_t expected;
};

class RoundToIntegerTies : public ::testing::TestWithParam<RoundingCase> {};

TEST_P(RoundToIntegerTies, RoundsToNearestWithTiesToEven) {
  ResetFpu();
  EXPECT_EQ(RoundToInteger(Runtime(GetParam().input)), GetParam().expected) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Values, RoundToIntegerTies,
    ::testing::Values(RoundingCase{"TwoAndAHalf", 2.5L, 2}, RoundingCase{"ThreeAndAHalf", 3.5L, 4},
                      RoundingCase{"MinusTwoAndAHalf", -2.5L, -2},
                      RoundingCase{"MinusThreeAndAHalf", -3.5L, -4},
                      RoundingCase{"OneHalf", 0.5L, 0}, RoundingCase{"OneAndAHalf", 1.5L, 2},
                      RoundingCase{"JustAboveHalf", 0.5000000000000000001L, 1},
                      RoundingCase{"LargestInt64", 9223372036854775807.0L, INT64_MAX},
                      RoundingCase{"SmallestInt64", -9223372036854775808.0L, INT64_MIN},
                      RoundingCase{"NegativeZero", -0.0L, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FloatEnvErrors, ClassesFormTheMathErrorHierarchy) {
  const EOverflow overflow;
  const Exception& asException = overflow;
  const std::exception& asStd = overflow;
  EXPECT_NE(dynamic_cast<const EExternal*>(&asException), nullptr);
  EXPECT_NE(dynamic_cast<const EMathError*>(&asStd), nullptr);
  EXPECT_EQ(EUnderflow().Message(), "Floating point underflow");
}

TEST(FloatEnvWords, SetFpuControlWordBecomesTheDefaultAndIsLoaded) {
  const std::uint16_t original = DefaultFpuControlWord;
  // Overflow masked: the store gives infinity instead of raising.
  SetFpuControlWord(0x133A);
  EXPECT_EQ(DefaultFpuControlWord, 0x133A);
  EXPECT_EQ(CurrentFpuControlWord(), 0x133A);
  EXPECT_TRUE(std::isinf(StoreDouble(Runtime(1e400L))));
  SetFpuControlWord(original);
  ResetFpu();
  EXPECT_EQ(CurrentFpuControlWord(), 0x1332);
  EXPECT_THROW(StoreDouble(Runtime(1e400L)), EOverflow);
}

TEST(FloatEnvWords, RoundingControlOfTheWordReachesTheHardware) {
  // Rounding control 01 (down): 1/3 rounded down differs from 1/3 rounded to nearest in the
  // last bit; the default is restored afterwards.
  ResetFpu();
  const long double nearest = CheckedDivide(Runtime(1), Runtime(3));
  LoadFpuControlWord(0x1732);
  const long double down = CheckedDivide(Runtime(1), Runtime(3));
  ResetFpu();
  EXPECT_LT(down, nearest);
  EXPECT_EQ(CheckedDivide(Runtime(1), Runtime(3)), nearest);
}

TEST(FloatEnvWords, RaiseFpuErrorsReportsAPendingConditionOnce) {
  ResetFpu();
  volatile long double sink = Runtime(1) / Runtime(0);
  (void)sink;
  EXPECT_THROW(RaiseFpuErrors(), EZeroDivide);
  EXPECT_NO_THROW(RaiseFpuErrors());
}

}  // namespace
