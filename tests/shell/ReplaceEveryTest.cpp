#include <gtest/gtest.h>

#include "shell/uReplaceEvery.h"
#include "tests/support/RowPrinter.h"

using namespace zentarix;

namespace {

using zentarix_test::PrintTo;

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

}  // namespace
