#include "text/field_readers.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string_view>

#include "tests/support/marks_guard.h"
#include "tests/support/row_printer.h"
#include "text/replace_every.h"

using namespace zentarix;

namespace {

using zentarix::test::PrintTo;

struct ReplaceCase {
  const char* name;
  const char* text;
  const char* pattern;
  const char* replacement;
  const char* expected;
};

class ReplaceEveryText : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceEveryText, ReplacesEachOccurrenceOnce) {
  const ReplaceCase& c = GetParam();
  EXPECT_EQ(ReplaceEvery(c.text, c.pattern, c.replacement), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReplaceEveryText,
    ::testing::Values(ReplaceCase{"FullStopToComma", "100.5", ".", ",", "100,5"},
                      ReplaceCase{"EveryFullStop", "1.2.3.", ".", ",", "1,2,3,"},
                      ReplaceCase{"LoneFullStop", ".", ".", ",", ","},
                      ReplaceCase{"NothingToReplace", "100", ".", ",", "100"},
                      ReplaceCase{"EmptyText", "", ".", ",", ""},
                      ReplaceCase{"NoOverlaps", "aaaa", "aa", "b", "bb"},
                      ReplaceCase{"ReplacementHoldsPattern", "a.b", ".", "..", "a..b"},
                      ReplaceCase{"EmptyPatternReplacesNothing", "abc", "", "x", "abc"},
                      ReplaceCase{"MultiByteText", "Ä.Ö", ".", "·", "Ä·Ö"}),
    [](const auto& info) { return std::string(info.param.name); });

// What the window's fields read as. The expected value is glibc's strtold of a text in the C
// locale; nullptr means the field holds no number (it reads as BadField).
struct ReaderCase {
  const char* name;
  bool noise;
  char32_t decimalMark;
  std::string_view text;
  const char* expected;
};

class FieldReaderText : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(FieldReaderText, ReadsTheValueTheFieldShows) {
  const ReaderCase& c = GetParam();
  MarksGuard marks(c.decimalMark, U' ');
  const Extended read = c.noise ? ReadNoise(c.text) : ReadAorB(c.text);
  const Extended expected = c.expected ? std::strtold(c.expected, nullptr) : BadField;
  EXPECT_EQ(read, expected) << c.name;
}

using namespace std::string_view_literals;

INSTANTIATE_TEST_SUITE_P(
    Texts, FieldReaderText,
    ::testing::Values(
        ReaderCase{"FullStopUnderCommaLocale", false, U',', "100.5", "100.5"},
        ReaderCase{"CommaUnderCommaLocale", false, U',', "100,5", "100.5"},
        ReaderCase{"FullStopUnderFullStopLocale", false, U'.', "1.0850", "1.0850"},
        ReaderCase{"CommaUnderFullStopLocale", false, U'.', "100,5", nullptr},
        ReaderCase{"FullStopUnderArabicMark", false, U'\u066B', "23456.75", "23456.75"},
        ReaderCase{"ArabicMarkItself", false, U'\u066B', "0\u066B00001234", "0.00001234"},
        ReaderCase{"TwoFullStops", false, U',', "1.2.3", nullptr},
        ReaderCase{"FullStopWithoutAnyMark", false, 0, "100.5", nullptr},
        ReaderCase{"WholeNumberWithoutAnyMark", false, 0, "105", "105"},
        ReaderCase{"NulInsideA", false, U',', "1\0 00"sv, nullptr},
        ReaderCase{"NulAfterA", false, U',', "100\0"sv, nullptr},
        ReaderCase{"NoiseWithTheMark", true, U',', "2,5", "2.5"},
        ReaderCase{"NoiseFullStopUnderCommaLocale", true, U',', "2.5", "2.5"},
        ReaderCase{"NoiseFullStopWithoutAnyMark", true, 0, "2.5", nullptr},
        ReaderCase{"NulInsideNoise", true, U'.', "3\0"sv, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
