#include "spin/spin_value.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <ostream>
#include <string>

#include "spin/spin_fraction.h"
#include "tests/support/row_printer.h"

namespace zentarix {
namespace {

using zentarix::test::PrintTo;

constexpr std::int32_t Int32Min = INT32_MIN;
constexpr std::int32_t Int32Max = INT32_MAX;

// ---- Reading the text --------------------------------------------------------------------

struct ReadCase {
  const char* name;
  std::string Text;
  std::optional<std::int32_t> Expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << '"' << c.Text << '"'; }

class ReadSpinValue : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadSpinValue, GivesTheNumberOrNothing) {
  EXPECT_EQ(ParseSpinValue(GetParam().Text), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadSpinValue,
    ::testing::Values(
        ReadCase{"Empty", "", std::nullopt}, ReadCase{"LonePlus", "+", std::nullopt},
        ReadCase{"LoneMinus", "-", std::nullopt}, ReadCase{"OnlyBlanks", "   ", std::nullopt},
        ReadCase{"Zero", "0", 0}, ReadCase{"MinusZero", "-0", 0}, ReadCase{"Plain", "30", 30},
        ReadCase{"PlusSign", "+12", 12}, ReadCase{"MinusSign", "-12", -12},
        ReadCase{"LeadingBlank", " 7", 7}, ReadCase{"LeadingBlanksBeforeSign", "   -7", -7},
        ReadCase{"TrailingBlank", " 7 ", std::nullopt}, ReadCase{"LeadingTab", "\t7", std::nullopt},
        ReadCase{"BlankAfterSign", "- 7", std::nullopt}, ReadCase{"TwoSigns", "+-7", std::nullopt},
        ReadCase{"InnerBlank", "1 2", std::nullopt}, ReadCase{"CommaDecimal", "2,5", std::nullopt},
        ReadCase{"DotDecimal", "2.5", std::nullopt}, ReadCase{"Exponent", "1e3", std::nullopt},
        ReadCase{"TrailingLetter", "12a", std::nullopt},
        ReadCase{"FullWidthDigit", "\xEF\xBC\x97", std::nullopt},
        ReadCase{"Largest", "2147483647", Int32Max},
        ReadCase{"OnePastLargest", "2147483648", std::nullopt},
        ReadCase{"Smallest", "-2147483648", Int32Min},
        ReadCase{"OnePastSmallest", "-2147483649", std::nullopt},
        ReadCase{"ManyLeadingZeros", "0000000000000000000000042", 42},
        ReadCase{"HugeNumber", "99999999999999999999999999", std::nullopt},
        ReadCase{"DollarHex", "$1F", 31}, ReadCase{"LowerXHex", "x1f", 31},
        ReadCase{"UpperXHex", "X1F", 31}, ReadCase{"ZeroLowerXHex", "0x1f", 31},
        ReadCase{"ZeroUpperXHex", "0X1F", 31}, ReadCase{"BlanksSignAndHex", "  +$10", 16},
        ReadCase{"LoneDollar", "$", std::nullopt}, ReadCase{"LoneZeroX", "0x", std::nullopt},
        ReadCase{"LoneX", "x", std::nullopt}, ReadCase{"MinusLonePrefix", "-$", std::nullopt},
        ReadCase{"AllOnesPattern", "$FFFFFFFF", -1},
        ReadCase{"SignBitPattern", "$80000000", Int32Min}, ReadCase{"NegatedHex", "-$10", -16},
        ReadCase{"NegatedAllOnes", "-$FFFFFFFF", 1},
        ReadCase{"NegatedSignBit", "-$80000000", Int32Min},
        ReadCase{"NineSignificantHexDigits", "$100000000", std::nullopt},
        ReadCase{"HexLeadingZerosDoNotCount", "$0000000000FF", 255},
        ReadCase{"BadHexDigit", "$1G", std::nullopt},
        ReadCase{"DoublePrefix", "0x$1", std::nullopt},
        ReadCase{"DigitsBeforeX", "1x1", std::nullopt},
        ReadCase{"HexTrailingBlank", "$1F ", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Writing, clamping and stepping ------------------------------------------------------

TEST(FormatSpinValue, IsPlainDecimalThatReadsBack) {
  for (std::int32_t value : {0, 7, -7, 1000000, Int32Max, Int32Min}) {
    const std::string text = FormatSpinValue(value);
    EXPECT_EQ(text.find_first_of(" +,."), std::string::npos) << text;
    EXPECT_EQ(ParseSpinValue(text), value) << text;
  }
  EXPECT_EQ(FormatSpinValue(Int32Min), "-2147483648");
}

struct ClampCase {
  const char* name;
  std::int32_t Min, Max, Value, Expected;
};

class ClampSpinValueTest : public ::testing::TestWithParam<ClampCase> {};

TEST_P(ClampSpinValueTest, KeepsTheValueInRange) {
  const ClampCase& c = GetParam();
  EXPECT_EQ(ClampSpinValue(c.Value, c.Min, c.Max), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(Ranges, ClampSpinValueTest,
                         ::testing::Values(ClampCase{"EqualBoundsAtZeroDoNotClamp", 0, 0, 150, 150},
                                           ClampCase{"EqualBoundsDoNotClampBelow", 7, 7, -5, -5},
                                           ClampCase{"Inside", 0, 100, 30, 30},
                                           ClampCase{"AtLowerBound", 0, 100, 0, 0},
                                           ClampCase{"AtUpperBound", 0, 100, 100, 100},
                                           ClampCase{"Below", 0, 100, -5, 0},
                                           ClampCase{"Above", 0, 100, 150, 100},
                                           ClampCase{"ExtremesBelow", -10, 10, Int32Min, -10},
                                           ClampCase{"ExtremesAbove", -10, 10, Int32Max, 10},
                                           ClampCase{"InvertedBelowMin", 20, 10, 5, 20},
                                           ClampCase{"InvertedBetween", 20, 10, 15, 20},
                                           ClampCase{"InvertedAboveMin", 20, 10, 25, 10},
                                           ClampCase{"InvertedAtMin", 20, 10, 20, 10}),
                         [](const auto& info) { return std::string(info.param.name); });

struct StepCase {
  const char* name;
  std::int32_t Value, Increment;
  bool Up;
  std::int32_t Expected;
};

class StepSpinValueTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(StepSpinValueTest, WrapsIn32Bits) {
  const StepCase& c = GetParam();
  EXPECT_EQ(StepSpinValue(c.Value, c.Increment, c.Up), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, StepSpinValueTest,
    ::testing::Values(StepCase{"Up", 2, 1, true, 3}, StepCase{"Down", 2, 1, false, 1},
                      StepCase{"UpWrapsAtLargest", Int32Max, 1, true, Int32Min},
                      StepCase{"DownWrapsAtSmallest", Int32Min, 1, false, Int32Max},
                      StepCase{"NegativeIncrementUpMovesDown", 5, -2, true, 3},
                      StepCase{"NegativeIncrementDownMovesUp", 5, -2, false, 7},
                      StepCase{"ZeroIncrement", 5, 0, true, 5},
                      StepCase{"SubtractSmallestWraps", 0, Int32Min, false, Int32Min},
                      StepCase{"LargeIncrementWraps", Int32Max, Int32Max, true, -2}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Typed characters ----------------------------------------------------------------------

struct CharCase {
  const char* name;
  char32_t Ch;
  char32_t Mark;
  bool EditorEnabled;
  bool Expected;
};

class AcceptsSpinCharTest : public ::testing::TestWithParam<CharCase> {};

TEST_P(AcceptsSpinCharTest, FiltersTypedCharacters) {
  const CharCase& c = GetParam();
  EXPECT_EQ(AcceptsSpinChar(c.Ch, c.Mark, c.EditorEnabled), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Characters, AcceptsSpinCharTest,
    ::testing::Values(
        CharCase{"Digit", U'7', U',', true, true}, CharCase{"Plus", U'+', U',', true, true},
        CharCase{"LowestDigit", U'0', U',', true, true},
        CharCase{"HighestDigit", U'9', U',', true, true},
        CharCase{"CharacterBeforeTheDigits", U'/', U',', true, false},
        CharCase{"CharacterAfterTheDigits", U':', U',', true, false},
        CharCase{"Minus", U'-', U',', true, true}, CharCase{"Letter", U'a', U',', true, false},
        CharCase{"Blank", U' ', U',', true, false},
        CharCase{"CarriageReturn", 13, U',', true, false},
        CharCase{"CopyShortcut", 3, U',', true, true}, CharCase{"Tab", 9, U',', true, true},
        CharCase{"Backspace", 8, U',', true, true}, CharCase{"Escape", 27, U',', true, true},
        CharCase{"DeleteCode", 127, U',', true, false},
        CharCase{"LocaleComma", U',', U',', true, true},
        CharCase{"DotUnderCommaStandsForTheMark", U'.', U',', true, true},
        CharCase{"DotWhenNoMark", U'.', 0, true, true},
        CharCase{"CommaWhenNoMark", U',', 0, true, false},
        CharCase{"NonAsciiMark", U'\u066B', U'\u066B', true, true},
        CharCase{"NulIsControl", 0, U',', true, true},
        CharCase{"DisabledDigit", U'7', U',', false, false},
        CharCase{"DisabledMinus", U'-', U',', false, false},
        CharCase{"DisabledMark", U',', U',', false, false},
        CharCase{"DisabledBackspace", 8, U',', false, false},
        CharCase{"DisabledCarriageReturn", 13, U',', false, false},
        CharCase{"DisabledCopyShortcut", 3, U',', false, true},
        CharCase{"DisabledPasteShortcut", 22, U',', false, true},
        CharCase{"DisabledLetter", U'a', U',', false, false}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Fractions -----------------------------------------------------------------------------

// A fraction read and written back, or none: the text as the field writes it after a step of
// nothing.
TEST(SpinFractions, ReadExactlyAndWrittenWithTheirDecimals) {
  struct Row {
    const char* text;
    char32_t mark;
    const char* written;  // nullptr: no fraction
  };
  for (const Row& row :
       {Row{"2,5", U',', "2,5"}, Row{" +2,50", U',', "2,50"}, Row{"-0,25", U',', "-0,25"},
        Row{",5", U',', "0,5"}, Row{"2,", U',', "2"}, Row{"2.5", U',', "2,5"}, Row{"1.5", 0, "1.5"},
        Row{"1\u066B5", U'\u066B', "1\u066B5"}, Row{",", U',', nullptr}, Row{"2", U',', nullptr},
        Row{"2,5 ", U',', nullptr}, Row{"2,5", U'.', nullptr}, Row{"$1F", U',', nullptr},
        Row{"1,234567891", U',', "1,234567891"}, Row{"1,2345678912", U',', nullptr},
        Row{"2147483649,5", U',', nullptr}}) {
    const std::optional<SpinFraction> fraction = ParseSpinFraction(row.text, row.mark);
    if (row.written == nullptr) {
      EXPECT_FALSE(fraction) << row.text;
      continue;
    }
    ASSERT_TRUE(fraction) << row.text;
    EXPECT_EQ(FormatSpinFraction(*fraction, row.mark), row.written) << row.text;
  }
}

// Stepped in whole increments, clamped as whole numbers are, and never past 64 bits.
TEST(SpinFractions, StepAndClampLikeWholeNumbers) {
  const SpinFraction twoAndAHalf{25, 1};
  EXPECT_EQ(StepSpinFraction(twoAndAHalf, 3, true).Scaled, 55);
  EXPECT_EQ(StepSpinFraction(twoAndAHalf, 3, false).Scaled, -5);
  EXPECT_EQ(StepSpinFraction({INT64_MAX - 5, 0}, 10, true).Scaled, INT64_MAX - 5);
  EXPECT_EQ(SpinFractionBound({1005, 1}, 0, 100), 100);
  EXPECT_EQ(SpinFractionBound({1000, 1}, 0, 100), std::nullopt);
  EXPECT_EQ(SpinFractionBound({-5, 1}, 0, 100), 0);
  EXPECT_EQ(SpinFractionBound({5, 1}, 3, 3), std::nullopt);
  // An inverted range: below the lower bound gives it, anything else the upper one.
  EXPECT_EQ(SpinFractionBound({255, 1}, 20, 10), 10);
  EXPECT_EQ(SpinFractionBound({25, 1}, 20, 10), 20);
  EXPECT_EQ(ClampSpinFraction({1005, 1}, 0, 100).Scaled, 1000);
}

}  // namespace
}  // namespace zentarix
