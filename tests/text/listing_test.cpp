// The results listing: the nineteen lines as a whole text for the worked examples, the error
// line alone, a run replacing an earlier text, and the stop after line 12 on an overflow.
#include "text/listing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calc/uFloatEnv.h"
#include "tests/support/example_listings.h"
#include "tests/support/marks_guard.h"
#include "tests/support/row_printer.h"

using namespace zentarix;

namespace {

using zentarix::test::PrintTo;

// A text box as the listing sees it: a whole text, and a log of the calls in order.
class RecordingSink : public TextSink {
 public:
  void SetText(const std::string& text) override {
    Text = text;
    Calls.push_back(std::string("set:").append(text));
  }
  void AppendLine(const std::string& line) override {
    Text.append(line).append("\n");
    Calls.push_back(std::string("append:").append(line));
  }
  std::string Text;
  std::vector<std::string> Calls;
};

struct ListingCase {
  const char* name;
  long double a, b, tenths;
  const char* text;
};

void PrintTo(const ListingCase& c, std::ostream* out) { *out << c.name; }

class FullListing : public ::testing::TestWithParam<ListingCase> {};

TEST_P(FullListing, ReplacesAnyEarlierTextByTheNineteenLines) {
  const MarksGuard marks(U'.', U',');
  ResetFpu();
  const ListingCase& c = GetParam();
  TCalcItem item;
  ASSERT_TRUE(CalculateLevels(item, c.a, c.b, c.tenths));
  RecordingSink memo;
  memo.Text = NoiseErrorLine;  // an error line from an earlier run disappears
  WriteListing(item, true, memo);
  EXPECT_EQ(memo.Text, c.text);
  ASSERT_EQ(memo.Calls.size(), 20u);
  EXPECT_EQ(memo.Calls.front(), "set:");
}

INSTANTIATE_TEST_SUITE_P(Examples, FullListing,
                         ::testing::Values(ListingCase{"Rising", 100, 110, 30,
                                                       RisingExampleListing},
                                           ListingCase{"FallingClampsTargets", 100, 10, 30,
                                                       "A = 100.0000\n"
                                                       "B = 10.0000\n"
                                                       "------------\n"
                                                       " F3 = 44.3800\n"
                                                       "50% = 55.0000\n"
                                                       " F5 = 65.6200\n"
                                                       "Коридор F3\n"
                                                       "  F3(1) = 47.0800\n"
                                                       "  F3(2) = 41.6800\n"
                                                       "Коридор F5\n"
                                                       "  F5(1) = 68.3200\n"
                                                       "  F5(2) = 62.9200\n"
                                                       "Возможные целевые точки\n"
                                                       "  COP(F3) = 0.0000\n"
                                                       "  COP(F5) = 10.0000\n"
                                                       "   OP(F3) = 0.0000\n"
                                                       "   OP(F5) = 0.0000\n"
                                                       "  XOP(F3) = 0.0000\n"
                                                       "  XOP(F5) = 0.0000\n"},
                                           ListingCase{"EqualValues", 50, 50, 30,
                                                       "A = 50.0000\n"
                                                       "B = 50.0000\n"
                                                       "------------\n"
                                                       " F3 = 50.0000\n"
                                                       "50% = 50.0000\n"
                                                       " F5 = 50.0000\n"
                                                       "Коридор F3\n"
                                                       "  F3(1) = 50.0000\n"
                                                       "  F3(2) = 50.0000\n"
                                                       "Коридор F5\n"
                                                       "  F5(1) = 50.0000\n"
                                                       "  F5(2) = 50.0000\n"
                                                       "Возможные целевые точки\n"
                                                       "  COP(F3) = 50.0000\n"
                                                       "  COP(F5) = 50.0000\n"
                                                       "   OP(F3) = 50.0000\n"
                                                       "   OP(F5) = 50.0000\n"
                                                       "  XOP(F3) = 50.0000\n"
                                                       "  XOP(F5) = 50.0000\n"},
                                           ListingCase{"ThousandsGrouped", 1000, 2500, 0,
                                                       "A = 1,000.0000\n"
                                                       "B = 2,500.0000\n"
                                                       "------------\n"
                                                       " F3 = 1,927.0000\n"
                                                       "50% = 1,750.0000\n"
                                                       " F5 = 1,573.0000\n"
                                                       "Коридор F3\n"
                                                       "  F3(1) = 1,927.0000\n"
                                                       "  F3(2) = 1,927.0000\n"
                                                       "Коридор F5\n"
                                                       "  F5(1) = 1,573.0000\n"
                                                       "  F5(2) = 1,573.0000\n"
                                                       "Возможные целевые точки\n"
                                                       "  COP(F3) = 2,854.0000\n"
                                                       "  COP(F5) = 2,500.0000\n"
                                                       "   OP(F3) = 3,427.0000\n"
                                                       "   OP(F5) = 3,073.0000\n"
                                                       "  XOP(F3) = 4,354.0000\n"
                                                       "  XOP(F5) = 4,000.0000\n"}),
                         [](const auto& info) { return std::string(info.param.name); });

// The same error line whichever input failed, with no line break, replacing a full listing.
TEST(ErrorListing, IsTheOneLineAloneWithoutLineBreak) {
  struct Rejected {
    const char* name;
    long double a, b, tenths;
  };
  const Rejected cases[] = {{"NegativeA", -1, 110, 30},
                            {"NegativeB", 100, -0.0001L, 30},
                            {"NegativeNoise", 100, 110, -1}};
  for (const Rejected& c : cases) {
    ResetFpu();
    TCalcItem item;
    ASSERT_TRUE(CalculateLevels(item, 100, 110, 30));
    RecordingSink memo;
    WriteListing(item, true, memo);
    ASSERT_FALSE(CalculateLevels(item, c.a, c.b, c.tenths)) << c.name;
    memo.Calls.clear();
    WriteListing(item, false, memo);
    EXPECT_EQ(memo.Text, "Ошибка в значении шума!") << c.name;
    EXPECT_EQ(memo.Calls, std::vector<std::string>{"set:Ошибка в значении шума!"}) << c.name;
  }
}

// A falling move's corridors are spoken low to high, as a rising one's, in the locale's marks.
TEST(SpokenNoise, NamesTheNoiseAndBothCorridorsLowToHigh) {
  const MarksGuard marks(U',', U' ');
  struct Row {
    long double a, b, tenths;
    const char* spoken;
  };
  for (const Row& row :
       {Row{100, 110, 31, "Шум 3,1%: коридор F3 105,87 – 106,49, коридор F5 103,51 – 104,13"},
        Row{100, 10, 30, "Шум 3%: коридор F3 41,68 – 47,08, коридор F5 62,92 – 68,32"}}) {
    TCalcItem item;
    ASSERT_TRUE(CalculateLevels(item, row.a, row.b, row.tenths));
    EXPECT_EQ(SpokenNoiseResult(item, true, ListingTexts()), row.spoken);
  }
  EXPECT_EQ(SpokenNoiseResult(TCalcItem(), false, ListingTexts()), "Ошибка в значении шума!");
}

// Near the top of the double range the levels fit but the target points overflow: lines 1 to
// 12 stay, the heading of the targets is not written, and the error reaches the caller.
TEST(OverflowListing, KeepsLinesOneToTwelveAndPropagates) {
  const MarksGuard marks(U'.', U',');
  ResetFpu();
  TCalcItem item;
  ASSERT_TRUE(CalculateLevels(item, 0, 1.7e308L, 0));
  RecordingSink memo;
  memo.Text = "earlier";
  EXPECT_THROW(WriteListing(item, true, memo), EOverflow);
  ResetFpu();
  ASSERT_EQ(memo.Calls.size(), 13u);
  EXPECT_EQ(memo.Calls[0], "set:");
  EXPECT_EQ(memo.Calls[3], "append:------------");
  EXPECT_EQ(memo.Calls[12].rfind("append:  F5(2) = ", 0), 0u) << memo.Calls[12];
  EXPECT_EQ(memo.Text.find("earlier"), std::string::npos);
}

}  // namespace
