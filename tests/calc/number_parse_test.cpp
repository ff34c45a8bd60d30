// The number grammar: what is accepted, what the accepted texts are worth, and that a parse
// leaves the floating-point state as it found it.
#include "calc/number_parse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <ostream>
#include <regex>
#include <string>

#include "calc/uFloatEnv.h"
#include "tests/calc/extended_oracle.h"
#include "tests/support/marks_guard.h"
#include "tests/support/row_printer.h"

using namespace zentarix;

namespace {

using zentarix::test::PrintTo;

struct ParseCase {
  const char* name;
  const char* text;
  const char* expected;  // decimal value (with "."), or nullptr when the parse must fail
  bool negativeZero = false;
};

class ParseWithCommaMark : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseWithCommaMark, AcceptsTheGrammarAndNothingElse) {
  const MarksGuard marks(U',', U' ');
  const ParseCase& c = GetParam();
  long double value = 12345.0L;
  const bool ok = TryParseNumber(c.text, value);
  if (c.expected == nullptr) {
    EXPECT_FALSE(ok) << "'" << c.text << "' parsed as " << static_cast<double>(value);
    EXPECT_EQ(value, 12345.0L) << "a failed parse must leave the value alone";
    return;
  }
  ASSERT_TRUE(ok) << "'" << c.text << "'";
  EXPECT_EQ(value, test::oracle::NearestExtended(c.expected)) << "'" << c.text << "'";
  EXPECT_EQ(std::signbit(value), c.negativeZero || c.expected[0] == '-') << "'" << c.text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseWithCommaMark,
    ::testing::Values(
        ParseCase{"Integer", "100", "100"}, ParseCase{"SurroundingSpaces", "  12 ", "12"},
        ParseCase{"PlusSign", "+7", "7"}, ParseCase{"Fraction", "1,5", "1.5"},
        ParseCase{"LeadingMark", ",5", "0.5"}, ParseCase{"TrailingMark", "5,", "5"},
        ParseCase{"LoneMark", ",", "0"}, ParseCase{"SignedLoneMark", "-,", "0", true},
        ParseCase{"NegativeZero", "-0", "0", true}, ParseCase{"Exponent", "1e3", "1000"},
        ParseCase{"SignedCapitalExponent", "1E+3", "1000"},
        ParseCase{"FractionAndExponent", "1,5e2", "150"},
        ParseCase{"NegativeExponentWithSpaces", " -3,25E-1  ", "-0.325"},
        ParseCase{"EmptyExponent", "1e", "1"}, ParseCase{"SignOnlyExponent", "1e-", "1"},
        ParseCase{"ExponentLeadingZeros", "1e0000005", "100000"},
        ParseCase{"ExponentFiveHundred", "1e500", "1e500"},
        ParseCase{"ZeroWithHugeExponent", "0e4999", "0"},
        ParseCase{"TwentyDigitsRoundedWhileAccumulating", "99999999999999999999",
                  "99999999999999999999"},
        ParseCase{"EighteenDigitsScaledOnce", "-0,123456789012345678", "-0.123456789012345678"},
        ParseCase{"NineteenDigitsScaledOnce", "0,1234567890123456789", "0.1234567890123456789"},
        ParseCase{"NineteenDigitsAboveTwoToTheSixtyThree", "9999999999999999999",
                  "9999999999999999999"},
        ParseCase{"LargestPowerExactInADouble", "5e22", "5e22"},
        ParseCase{"FewDigitsPaddedPastTwentyBytes", "          -12,5     ", "-12.5"},
        ParseCase{"SmallestPowerBeyondADouble", "5e-23", "5e-23"},
        ParseCase{"BelowExtendedRangeIsZero", "1e-4999", "0"},
        ParseCase{"LongFractionWithNegativeExponent",
                  "0,0000000000000000000000000000000000000001e-4990", "0"},
        ParseCase{"Empty", "", nullptr}, ParseCase{"OnlySpaces", "   ", nullptr},
        ParseCase{"LoneSign", "-", nullptr}, ParseCase{"SpaceAfterSign", "- 5", nullptr},
        ParseCase{"GroupedDigits", "1 000", nullptr}, ParseCase{"TwoMarks", "1,2,3", nullptr},
        ParseCase{"TrailingLetter", "12a", nullptr}, ParseCase{"SpaceInExponent", "5e 3", nullptr},
        ParseCase{"SpaceBeforeExponent", "5 e3", nullptr},
        ParseCase{"FullStopIsNotTheMark", "1.5", nullptr}, ParseCase{"LeadingTab", "\t5", nullptr},
        ParseCase{"TrailingTab", "5\t", nullptr}, ParseCase{"NoBreakSpace", "\u00A05", nullptr},
        ParseCase{"TwoSigns", "+-5", nullptr}, ParseCase{"ExponentOnly", "e5", nullptr},
        ParseCase{"OverflowingExponent", "1e4999", nullptr},
        ParseCase{"UnreadExponentDigit", "1e5000", nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ParseDigitsLimit, IntegerOfFiveThousandDigitsOverflows) {
  const MarksGuard marks(U',', U' ');
  long double value;
  EXPECT_FALSE(TryParseNumber("1" + std::string(5000, '0'), value));
  EXPECT_TRUE(TryParseNumber("1" + std::string(4000, '0'), value));
  // Four thousand roundings of the accumulator: close to 10^4000, not necessarily nearest.
  EXPECT_NEAR(static_cast<double>(value / test::oracle::NearestExtended("1e4000")), 1.0, 1e-15);
}

TEST(ParseRange, ValueBelowTheNormalRangeComesOutDenormal) {
  const MarksGuard marks(U',', U' ');
  long double value = 0.0L;
  ASSERT_TRUE(TryParseNumber("1e-4940", value));
  EXPECT_GT(value, 0.0L);
  EXPECT_LT(value, std::numeric_limits<long double>::min());
}

TEST(ParseTerminator, TextEndsAtItsFirstZeroByte) {
  const MarksGuard marks(U',', U' ');
  long double value;
  ASSERT_TRUE(TryParseNumber(std::string("42\0junk", 7), value));
  EXPECT_EQ(value, 42.0L);
}

struct MarkCase {
  const char* name;
  char32_t mark;
  const char* text;
  const char* expected;
};

class ParseUnderOtherMarks : public ::testing::TestWithParam<MarkCase> {};

TEST_P(ParseUnderOtherMarks, FollowsTheDecimalMarkInForce) {
  const MarkCase& c = GetParam();
  const MarksGuard marks(c.mark, U',');
  long double value = -99.0L;
  const bool ok = TryParseNumber(c.text, value);
  if (c.expected == nullptr) {
    EXPECT_FALSE(ok) << "'" << c.text << "'";
  } else {
    ASSERT_TRUE(ok) << "'" << c.text << "'";
    EXPECT_EQ(value, test::oracle::NearestExtended(c.expected)) << "'" << c.text << "'";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Marks, ParseUnderOtherMarks,
    ::testing::Values(MarkCase{"FullStopMarkReadsFullStop", U'.', "1.5", "1.5"},
                      MarkCase{"FullStopMarkRefusesComma", U'.', "1,5", nullptr},
                      MarkCase{"MultiByteMark", U'\u066B', "2\u066B25", "2.25"},
                      MarkCase{"MultiByteMarkNeedsAllItsBytes", U'\u066B', "2\xD9", nullptr},
                      MarkCase{"MarkBelowU0100InTwoBytes", U'\u00B7', "2\u00B725", "2.25"},
                      MarkCase{"NoMarkReadsIntegers", 0, "25", "25"},
                      MarkCase{"NoMarkRefusesFullStop", 0, "2.5", nullptr},
                      MarkCase{"NoMarkRefusesLoneText", 0, "", nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ParseOr, ReturnsTheFallbackOnlyForFailures) {
  const MarksGuard marks(U',', U' ');
  EXPECT_EQ(ParseNumberOr("abc", -1.0L), -1.0L);
  EXPECT_EQ(ParseNumberOr("1e4999", -1.0L), -1.0L);
  EXPECT_EQ(ParseNumberOr("-1", 7.0L), -1.0L);
  EXPECT_EQ(ParseNumberOr("2,5", -1.0L), 2.5L);
}

// Conditions a later checked operation could report; a denormal operand or an inexact result
// never is.
constexpr std::uint16_t SignificantFlags =
    fpu::InvalidMask | fpu::ZeroDivideMask | fpu::OverflowMask | fpu::UnderflowMask;

TEST(ParseState, RestoresTheCallersWordAndLeavesNoSignificantFlags) {
  const MarksGuard marks(U',', U' ');
  ResetFpu();
  LoadFpuControlWord(0x1B32);  // rounding up, as a caller might have it
  long double value;
  EXPECT_FALSE(TryParseNumber("1e4999", value));
  EXPECT_EQ(CurrentFpuControlWord(), 0x1B32);
  EXPECT_EQ(ReadFpuStatus() & SignificantFlags, 0);
  EXPECT_TRUE(TryParseNumber("1e-4940", value));  // underflows to a denormal
  EXPECT_EQ(ReadFpuStatus() & SignificantFlags, 0);
  EXPECT_TRUE(TryParseNumber("1e-4999", value));  // underflows to zero
  EXPECT_EQ(ReadFpuStatus() & SignificantFlags, 0);
  EXPECT_TRUE(TryParseNumber(",1", value));
  EXPECT_EQ(CurrentFpuControlWord(), 0x1B32);
  EXPECT_EQ(ReadFpuStatus() & SignificantFlags, 0);
  ResetFpu();
  // The parse ran under round-to-nearest although the caller rounds up.
  EXPECT_EQ(value, test::oracle::NearestExtended("0.1"));
}

// Texts whose parse raises a condition on the way: none may outlive the parse, whether it
// succeeds or fails, and whichever check refuses the text.
struct FlagCase {
  const char* name;
  std::string text;
};

void PrintTo(const FlagCase& c, std::ostream* os) { *os << c.name; }

class ParseLeavesNoFlag : public ::testing::TestWithParam<FlagCase> {};

TEST_P(ParseLeavesNoFlag, WhateverTheTextRaisedOnTheWay) {
  const MarksGuard marks(U',', U' ');
  ResetFpu();
  long double value;
  TryParseNumber(GetParam().text, value);
  const std::uint16_t flags = ReadFpuStatus() & SignificantFlags;
  ResetFpu();
  EXPECT_EQ(flags, 0) << "'" << GetParam().text.substr(0, 40) << "...' (" << GetParam().text.size()
                      << " bytes)";
}

const std::string OverflowingDigits(4940, '9');

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseLeavesNoFlag,
    ::testing::Values(
        FlagCase{"OverflowWhileScaling", "1e4999"}, FlagCase{"UnderflowToDenormal", "1e-4940"},
        FlagCase{"UnderflowToZero", "1e-4999"}, FlagCase{"OverflowingDigits", OverflowingDigits},
        FlagCase{"OverflowingDigitsThenSecondMark", OverflowingDigits + ",5,"},
        FlagCase{"OverflowingDigitsThenLetter", OverflowingDigits + "x"},
        FlagCase{"OverflowingDigitsThenUnreadExponentDigit", OverflowingDigits + "e5000"},
        FlagCase{"OverflowingFractionThenBlankInside", "," + OverflowingDigits + " 1"}),
    [](const auto& info) { return std::string(info.param.name); });

// The examples written above TryParseNumber in its header stay true: each line
//   //   "TEXT"  -> VALUE   or   //   "TEXT"  -> refused
// is parsed with the comma mark and compared with the nearest extended value of VALUE.
TEST(ParseHeaderExamples, HoldAsWritten) {
  const MarksGuard marks(U',', U' ');
  std::ifstream header(ZENTARIX_SOURCE_DIR "/calc/number_parse.h");
  ASSERT_TRUE(header.is_open());
  const std::regex example(R"re(^//   "([^"]*)" +-> (refused|\S+))re");
  int checked = 0;
  for (std::string line; std::getline(header, line);) {
    std::smatch match;
    if (!std::regex_search(line, match, example)) continue;
    ++checked;
    const std::string text = match[1];
    long double value = 0;
    const bool ok = TryParseNumber(text, value);
    if (match[2] == "refused") {
      EXPECT_FALSE(ok) << line;
    } else {
      ASSERT_TRUE(ok) << line;
      EXPECT_EQ(value, test::oracle::NearestExtended(match[2].str())) << line;
    }
  }
  EXPECT_GE(checked, 10) << "the examples are no longer found in the header";
}

}  // namespace
