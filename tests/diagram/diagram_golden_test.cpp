// The operation list against lists written out by hand: the two worked examples in full, and
// the rows, bands and labels that the rounding and band rules decide for other sizes and
// noises, including noise fractions far beyond the noise field's range.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "calc/uFloatEnv.h"
#include "diagram/uDiagram.h"
#include "tests/support/marks_guard.h"
#include "tests/support/row_printer.h"

using namespace zentarix;

namespace {

using zentarix::test::PrintTo;

// Entry colours unlike any colour of the diagram, so that a mix-up shows.
constexpr TColor EntryBrush = 16777215;
constexpr TColor EntryFont = 65280;

std::vector<std::string> Printed(const std::vector<CanvasOp>& ops) {
  std::vector<std::string> lines;
  for (const CanvasOp& op : ops) {
    std::ostringstream out;
    out << op;
    lines.push_back(out.str());
  }
  return lines;
}

TCalcItem Calculated(long double a, long double b, long double tenths) {
  ResetFpu();
  TCalcItem item;
  CalculateLevels(item, a, b, tenths);
  return item;
}

std::vector<std::string> PrintedDiagram(std::int32_t W, std::int32_t H, const TCalcItem& item) {
  return Printed(BuildDiagramOps(W, H, item, EntryBrush, EntryFont));
}

TEST(DiagramWorkedExample, RisingAt461x431) {
  const MarksGuard marks(U'.', U',');
  const std::vector<std::string> expected = {
      "SetPenColor(0)",
      "MoveTo(30,401)",
      "LineTo(106,30)",
      "SetBrushColor(16763080)",
      "FillRect(106,161,258,183)",
      "MoveTo(106,30)",
      "LineTo(182,172)",
      "SetBrushColor(16763080)",
      "FillRect(258,248,410,270)",
      "MoveTo(106,30)",
      "LineTo(334,259)",
      "SetBrushColor(16777215)",
      "TextOut(106,148,\"+F3 = 106.4800\")",
      "TextOut(106,184,\"-F3 = 105.8800\")",
      "TextOut(258,235,\"+F5 = 104.1200\")",
      "TextOut(258,271,\"-F5 = 103.5200\")",
      "SetPenColor(255)",
      "MoveTo(30,216)",
      "LineTo(431,216)",
      "TextOut(30,203,\"50% = 105.0000\")",
      "SetFontStyle(bold)",
      "TextOut(30,401,\"A = 100.0000\")",
      "TextOut(106,30,\"B = 110.0000\")",
      "TextOut(183,173,\"F3 = 106.1800\")",
      "TextOut(335,260,\"F5 = 103.8200\")",
      "SetPenColor(0)",
      "SetTextColor(65280)",
  };
  EXPECT_EQ(PrintedDiagram(461, 431, Calculated(100, 110, 30)), expected);
}

// Falling: B's row is the bottom margin, and the labels above the bands show the Minus bounds.
TEST(DiagramWorkedExample, FallingAt461x431) {
  const MarksGuard marks(U'.', U',');
  const std::vector<std::string> expected = {
      "SetPenColor(0)",
      "MoveTo(30,30)",
      "LineTo(106,401)",
      "SetBrushColor(16763080)",
      "FillRect(106,248,258,270)",
      "MoveTo(106,401)",
      "LineTo(182,259)",
      "SetBrushColor(16763080)",
      "FillRect(258,161,410,183)",
      "MoveTo(106,401)",
      "LineTo(334,172)",
      "SetBrushColor(16777215)",
      "TextOut(106,235,\"+F3 = 104.1200\")",
      "TextOut(106,271,\"-F3 = 103.5200\")",
      "TextOut(258,148,\"+F5 = 106.4800\")",
      "TextOut(258,184,\"-F5 = 105.8800\")",
      "SetPenColor(255)",
      "MoveTo(30,216)",
      "LineTo(431,216)",
      "TextOut(30,203,\"50% = 105.0000\")",
      "SetFontStyle(bold)",
      "TextOut(30,30,\"A = 110.0000\")",
      "TextOut(106,401,\"B = 100.0000\")",
      "TextOut(183,260,\"F3 = 103.8200\")",
      "TextOut(335,173,\"F5 = 106.1800\")",
      "SetPenColor(0)",
      "SetTextColor(65280)",
  };
  EXPECT_EQ(PrintedDiagram(461, 431, Calculated(110, 100, 30)), expected);
}

TEST(DiagramWorkedExample, SecondPaintGivesTheSameList) {
  const TCalcItem item = Calculated(100, 110, 30);
  EXPECT_EQ(BuildDiagramOps(461, 431, item, EntryBrush, EntryFont),
            BuildDiagramOps(461, 431, item, EntryBrush, EntryFont));
}

// Selected steps (numbered 1 to 27) of a full list. An expected line ending in '*' gives the
// start of the printed line only.
struct PartialCase {
  const char* name;
  std::int32_t W, H;
  long double a, b, tenths;
  std::optional<double> noise;  // replaces the calculated Noise
  std::map<int, std::string> steps;
};

void PrintTo(const PartialCase& c, std::ostream* out) { *out << c.name; }

class DiagramSteps : public ::testing::TestWithParam<PartialCase> {};

TEST_P(DiagramSteps, MatchTheHandWrittenLines) {
  const MarksGuard marks(U'.', U',');
  const PartialCase& c = GetParam();
  TCalcItem item = Calculated(c.a, c.b, c.tenths);
  if (c.noise) item.Noise = *c.noise;
  const auto printed = PrintedDiagram(c.W, c.H, item);
  ASSERT_EQ(printed.size(), 27u);
  for (const auto& [step, line] : c.steps) {
    const std::string& actual = printed[static_cast<std::size_t>(step - 1)];
    if (line.back() == '*') {
      EXPECT_EQ(actual.substr(0, line.size() - 1), line.substr(0, line.size() - 1))
          << "step " << step;
    } else {
      EXPECT_EQ(actual, line) << "step " << step;
    }
  }
}

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// The drawing area and the calculation inputs of one case.
struct Inputs {
  std::int32_t W, H;
  long double a, b, tenths;
};

PartialCase Case(const char* name, Inputs in, std::map<int, std::string> steps,
                 std::optional<double> noise = std::nullopt) {
  return {name, in.W, in.H, in.a, in.b, in.tenths, noise, std::move(steps)};
}

INSTANTIATE_TEST_SUITE_P(
    RoundingAndBands, DiagramSteps,
    ::testing::Values(
        // A falling move labels its upper F5 bound with F5Minus and its lower with F5Plus.
        Case("FallingF5CorridorLabels", {461, 431, 120, 100, 30},
             {{15, "TextOut(258,148,\"+F5 = 112.9600\")"},
              {16, "TextOut(258,184,\"-F5 = 111.7600\")"}}),
        Case("NoNoiseGivesTwentyRowBands", {461, 431, 100, 110, 0},
             {{5, "FillRect(106,162,258,182)"},
              {9, "FillRect(258,249,410,269)"},
              {13, "TextOut(106,149,\"+F3 = 106.1800\")"},
              {14, "TextOut(106,183,\"-F3 = 106.1800\")"},
              {15, "TextOut(258,236,*"},
              {16, "TextOut(258,270,*"}}),
        // h = 373: 186.5 rounds to the even 186.
        Case("HalfRowTiesToEvenAt433", {461, 433, 100, 110, 30},
             {{11, "LineTo(334,261)"},
              {18, "MoveTo(30,216)"},
              {19, "LineTo(431,216)"},
              {20, "TextOut(30,203,\"50% = 105.0000\")"}}),
        // h = 750: 286.5 rounds to 286; the noise product 22.4999... gives r = 22.
        Case("F3RowTiesToEvenAt810", {461, 810, 100, 110, 30},
             {{5, "FillRect(106,294,258,338)"},
              {7, "LineTo(182,316)"},
              {11, "LineTo(334,494)"},
              {18, "MoveTo(30,405)"},
              {24, "TextOut(183,317,*"}}),
        // h = 250: 250 x 0.618 rounds to exactly 154.5 in 64 bits, then to 154.
        Case("FallingSignificandRoundingAt310", {461, 310, 110, 100, 30},
             {{3, "LineTo(106,280)"},
              {5, "FillRect(106,174,258,194)"},
              {7, "LineTo(182,184)"},
              {11, "LineTo(334,126)"},
              {18, "MoveTo(30,155)"}}),
        // 31.4999999999999988...: a product rounded to double first would be 31.5 and give 32.
        Case("NoiseProductNotRoundedToDoubleAt1110", {461, 1110, 100, 110, 30},
             {{5, "FillRect(106,400,258,462)"},
              {9, "FillRect(258,648,410,710)"},
              {13, "TextOut(106,387,*"},
              {16, "TextOut(258,711,*"}}),
        // 10.5000000000000002...: a product rounded to double first would give 10.
        Case("NoiseTenAt1110", {461, 1110, 100, 110, 10},
             {{5, "FillRect(106,420,258,442)"}, {9, "FillRect(258,668,410,690)"}}),
        Case("HalfHeightExactlyTen", {461, 460, 100, 110, 25},
             {{5, "FillRect(106,173,258,193)"}, {9, "FillRect(258,267,410,287)"}}),
        // r = 9 would give rows 159 to 176; the minimum band is 158 to 177.
        Case("HalfHeightNineGivesMinimumBand", {461, 420, 100, 110, 25},
             {{5, "FillRect(106,158,258,178)"}, {9, "FillRect(258,242,410,262)"}}),
        // Products beyond 32 and beyond 64 bits are held at 2^29 rows on either side.
        Case("NoiseOf99999999999TenthsIsHeld", {461, 431, 100, 110, 99999999999.0L},
             {{5, "FillRect(106,-536870740,258,536871084)"},
              {9, "FillRect(258,-536870653,410,536871171)"},
              {13, "TextOut(106,-536870753,*"},
              {14, "TextOut(106,536871085,*"},
              {24, "TextOut(183,173,\"F3 = 106.1800\")"}}),
        Case("NoiseBeyondSixtyFourBitsIsHeld", {461, 431, 100, 110, 30},
             {{5, "FillRect(106,-536870740,258,536871084)"}, {16, "TextOut(258,536871172,*"}},
             1e300),
        Case("HugeNegativeNoiseGivesMinimumBand", {461, 431, 100, 110, 30},
             {{5, "FillRect(106,162,258,182)"}, {9, "FillRect(258,249,410,269)"}}, -1e300),
        Case("NaNNoiseGivesMinimumBand", {461, 431, 100, 110, 30},
             {{5, "FillRect(106,162,258,182)"}, {14, "TextOut(106,183,*"}}, NaN),
        // A failed test keeps the old levels but draws the rejected noise.
        Case("RejectedNegativeNoiseStillDraws", {461, 431, 100, 110, -5},
             {{3, "LineTo(106,30)"},
              {5, "FillRect(106,162,258,182)"},
              {13, "TextOut(106,149,\"+F3 = 0.0000\")"},
              {22, "TextOut(30,401,\"A = 100.0000\")"}})),
    [](const auto& info) { return std::string(info.param.name); });

struct NoMoveCase {
  const char* name;
  double a, b;
};

void PrintTo(const NoMoveCase& c, std::ostream* out) { *out << c.name; }

class DiagramWithoutMove : public ::testing::TestWithParam<NoMoveCase> {};

TEST_P(DiagramWithoutMove, OnlySetsPenAndFontColours) {
  TCalcItem item;
  item.ValueA = GetParam().a;
  item.ValueB = GetParam().b;
  item.Noise = 0.03;
  const std::vector<std::string> expected = {"SetPenColor(0)", "SetPenColor(0)",
                                             "SetTextColor(65280)"};
  EXPECT_EQ(PrintedDiagram(461, 431, item), expected);
}

INSTANTIATE_TEST_SUITE_P(EqualValues, DiagramWithoutMove,
                         ::testing::Values(NoMoveCase{"BothZero", 0.0, 0.0},
                                           NoMoveCase{"PlusZeroMinusZero", 0.0, -0.0},
                                           NoMoveCase{"MinusZeroPlusZero", -0.0, 0.0},
                                           NoMoveCase{"SameValue", 105.5, 105.5},
                                           NoMoveCase{"NaNStart", NaN, 1.0},
                                           NoMoveCase{"NaNEnd", 1.0, NaN}),
                         [](const auto& info) { return std::string(info.param.name); });

// Plain 32-bit steps must not make any size undefined (the sanitizer build checks this); the
// list keeps its 27 operations.
TEST(DiagramSizes, AnySizeGivesTheFullList) {
  const TCalcItem item = Calculated(100, 110, 30);
  constexpr std::int32_t Min = std::numeric_limits<std::int32_t>::min();
  constexpr std::int32_t Max = std::numeric_limits<std::int32_t>::max();
  const std::int32_t sizes[] = {Min, Min + 1, -1, 0, 1, 59, 60, 61, Max - 1, Max};
  for (std::int32_t W : sizes) {
    for (std::int32_t H : sizes) {
      EXPECT_EQ(BuildDiagramOps(W, H, item, EntryBrush, EntryFont).size(), 27u) << W << " x " << H;
    }
  }
}

}  // namespace
