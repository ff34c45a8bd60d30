// The storm's picture of an allowed listing must accept what the window writes and refuse
// what it must never write; otherwise the storm's listing check would prove nothing.
#include "tests/shell/listing_shape.h"

#include <gtest/gtest.h>

#include "tests/support/example_listings.h"

using zentarix::test::ClassifyMemo;
using zentarix::test::IsRenderedNumber;
using zentarix::test::MemoShape;

namespace {

struct NumberCase {
  const char* name;
  const char* text;
  char32_t decimalMark;
  char32_t groupMark;
  bool rendered;
};

// Test names show the row name, not the bytes of the row.
void PrintTo(const NumberCase& c, std::ostream* os) { *os << c.name; }

class RenderedNumberPattern : public ::testing::TestWithParam<NumberCase> {};

TEST_P(RenderedNumberPattern, AcceptsTheRenderingsAndNothingElse) {
  const NumberCase& c = GetParam();
  EXPECT_EQ(IsRenderedNumber(c.text, c.decimalMark, c.groupMark), c.rendered) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RenderedNumberPattern,
    ::testing::Values(
        NumberCase{"Plain", "106.1800", U'.', U',', true},
        NumberCase{"Zero", "0.0000", U'.', U',', true},
        NumberCase{"NegativeZero", "-0.0000", U'.', U',', true},
        NumberCase{"Grouped", "1,234,567.5000", U'.', U',', true},
        NumberCase{"EighteenDigits", "999,999,999,999,999,999.9999", U'.', U',', true},
        NumberCase{"NineteenDigits", "1,000,000,000,000,000,000.0000", U'.', U',', false},
        NumberCase{"CommaLocaleWideGroup", "1\u202F234,5000", U',', U'\u202F', true},
        NumberCase{"NoGroupMark", "1234.0000", U'.', 0, true},
        NumberCase{"MissingGroup", "1234.0000", U'.', U',', false},
        NumberCase{"ShortGroup", "1,23.0000", U'.', U',', false},
        NumberCase{"LeadingZero", "01.0000", U'.', U',', false},
        NumberCase{"ThreeDecimals", "100.000", U'.', U',', false},
        NumberCase{"FiveDecimals", "100.00000", U'.', U',', false},
        NumberCase{"OtherLocalesMark", "100,0000", U'.', U',', false},
        NumberCase{"LeadingSpace", " 100.0000", U'.', U',', false},
        NumberCase{"Empty", "", U'.', U',', false}, NumberCase{"LoneSign", "-", U'.', U',', false},
        NumberCase{"Scientific", "1E0018", U'.', U',', true},
        NumberCase{"ScientificFraction", "-2.5E0018", U'.', U',', true},
        NumberCase{"ScientificTop", "1.7976931348623157E0308", U'.', U',', true},
        NumberCase{"ScientificTrailingZero", "1.50E0018", U'.', U',', false},
        NumberCase{"ScientificShortExponent", "1E18", U'.', U',', false},
        NumberCase{"ScientificBelowItsRange", "1.5E0017", U'.', U',', false},
        NumberCase{"Infinity", "INF", U'.', U',', true},
        NumberCase{"NotANumber", "NAN", U'.', U',', true}),
    [](const auto& info) { return std::string(info.param.name); });

// The worked example's listing, split after its twelfth line: the levels, then the targets.
const std::string Listing = RisingExampleListing;
const std::string Levels = Listing.substr(0, Listing.find("Возможные"));
const std::string Targets = Listing.substr(Levels.size());

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  return text.replace(text.find(from), from.size(), to);
}

struct MemoCase {
  const char* name;
  std::string text;
  MemoShape shape;
};

// Test names show the row name, not the bytes of the row.
void PrintTo(const MemoCase& c, std::ostream* os) { *os << c.name; }

class MemoPattern : public ::testing::TestWithParam<MemoCase> {};

TEST_P(MemoPattern, SortsTheListing) {
  const MemoCase& c = GetParam();
  EXPECT_EQ(ClassifyMemo(c.text, U'.', U',').Shape, c.shape) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MemoPattern,
    ::testing::Values(
        MemoCase{"Empty", "", MemoShape::Empty},
        MemoCase{"ErrorLineA", "Ошибка в значении А!", MemoShape::ErrorLine},
        MemoCase{"ErrorLineB", "Ошибка в значении B!", MemoShape::ErrorLine},
        MemoCase{"ErrorLineNoise", "Ошибка в значении шума!", MemoShape::ErrorLine},
        MemoCase{"ErrorLineWithLineBreak", "Ошибка в значении шума!\n", MemoShape::Invalid},
        MemoCase{"ErrorLineALatinA", "Ошибка в значении A!", MemoShape::Invalid},
        MemoCase{"FullListing", Levels + Targets, MemoShape::Listing},
        MemoCase{"CutAfterTheLevels", Levels, MemoShape::ListingCutAfterLevels},
        MemoCase{"LastLineBreakMissing",
                 (Levels + Targets).substr(0, Levels.size() + Targets.size() - 1),
                 MemoShape::Invalid},
        MemoCase{"EighteenLines", Levels + Targets.substr(0, Targets.rfind("  XOP(F5)")),
                 MemoShape::Invalid},
        MemoCase{"ListingTwice", Levels + Targets + Levels + Targets, MemoShape::Invalid},
        MemoCase{"ErrorLineAfterListing", Levels + Targets + "Ошибка в значении шума!",
                 MemoShape::Invalid},
        MemoCase{"NegativeA", Replaced(Levels + Targets, "A = 100.0000", "A = -1.0000"),
                 MemoShape::Invalid},
        MemoCase{"NegativeZeroA", Replaced(Levels + Targets, "A = 100.0000", "A = -0.0000"),
                 MemoShape::Listing},
        MemoCase{"NegativeTarget",
                 Replaced(Levels + Targets, "   OP(F3) = 116.1800", "   OP(F3) = -1.0000"),
                 MemoShape::Invalid},
        MemoCase{"NegativeLevel", Replaced(Levels + Targets, " F3 = 106.1800", " F3 = -1.0000"),
                 MemoShape::Listing},
        MemoCase{"InfiniteTarget",
                 Replaced(Levels + Targets, "  XOP(F5) = 120.0000", "  XOP(F5) = INF"),
                 MemoShape::Invalid},
        MemoCase{"WrongHeading", Replaced(Levels + Targets, "Коридор F5", "Коридор F3"),
                 MemoShape::Invalid},
        MemoCase{"ShiftedEqualsSign", Replaced(Levels + Targets, " F5 = ", "F5 = "),
                 MemoShape::Invalid},
        MemoCase{"UnformattedNumber", Replaced(Levels + Targets, "B = 110.0000", "B = 110"),
                 MemoShape::Invalid}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
