// The zigzag on small hand-made series, each row one branch of its rule, and on random walks,
// where the swings must alternate and every confirmed reversal must reach the threshold.
#include "history/zigzag.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/support/row_printer.h"

namespace zentarix {
namespace {

using zentarix::test::PrintTo;

struct SeriesCase {
  const char* name;
  long double percent;
  std::vector<std::pair<long double, long double>> bars;  // high, low
  const char* swings;  // each swing: u or d, start and end line, ! when confirmed
};

// "u1-3! d3-5" for a rising swing from line 1 to 3, confirmed, then a falling one.
std::string Describe(const std::vector<Swing>& swings) {
  std::string text;
  for (const Swing& swing : swings) {
    if (!text.empty()) text += ' ';
    text += swing.Rising ? 'u' : 'd';
    text += std::to_string(swing.Start.Line) + '-' + std::to_string(swing.End.Line);
    if (swing.Confirmed) text += '!';
  }
  return text;
}

std::vector<Swing> SwingsOf(long double percent,
                            const std::vector<std::pair<long double, long double>>& bars) {
  ZigZag zigzag(percent);
  std::vector<Swing> swings;
  long line = 0;
  for (const auto& [high, low] : bars) {
    Bar bar;
    bar.High = high;
    bar.Low = low;
    bar.Line = ++line;
    if (const auto swing = zigzag.Add(bar)) swings.push_back(*swing);
  }
  if (const auto swing = zigzag.Finish()) swings.push_back(*swing);
  return swings;
}

class ZigZagSeries : public ::testing::TestWithParam<SeriesCase> {};

TEST_P(ZigZagSeries, FindsTheSwings) {
  const SeriesCase& c = GetParam();
  EXPECT_EQ(Describe(SwingsOf(c.percent, c.bars)), c.swings) << c.name;
}

// With 50% and 25% the factors 1.5, 0.5, 1.25 and 0.75 are exact, so a tie is a tie.
INSTANTIATE_TEST_SUITE_P(
    Series, ZigZagSeries,
    ::testing::Values(
        SeriesCase{"NeverMovesEnough", 50, {{100, 100}, {149, 110}, {120, 75}}, ""},
        SeriesCase{"RisesExactlyByTheThreshold", 50, {{100, 100}, {150, 120}}, "u1-2"},
        SeriesCase{"FallsExactlyByTheThreshold", 50, {{100, 100}, {90, 50}}, "d1-2"},
        SeriesCase{
            "TheFirstBarsOwnRangeStartsNoSwing", 50, {{100, 60}, {95, 70}, {90, 89}}, "u1-2"},
        SeriesCase{"RisesFromTheLowestLowSoFar", 50, {{100, 90}, {95, 80}, {120, 100}}, "u2-3"},
        SeriesCase{"FallsFromTheHighestHighSoFar", 50, {{100, 90}, {110, 100}, {60, 55}}, "d2-3"},
        SeriesCase{"ANewHighExtendsTheRise",
                   25,
                   {{100, 100}, {125, 110}, {130, 120}, {97.5, 96}},
                   "u1-3! d3-4"},
        SeriesCase{
            "ATurnExactlyAtTheThreshold", 25, {{100, 100}, {200, 150}, {160, 150}}, "u1-2! d2-3"},
        SeriesCase{"JustShortOfTheTurn", 25, {{100, 100}, {200, 150}, {160, 150.0001L}}, "u1-2"},
        SeriesCase{"ANewLowExtendsTheFall", 25, {{100, 100}, {80, 75}, {70, 60}, {74, 70}}, "d1-3"},
        SeriesCase{
            "AFallTurnsAtATie", 25, {{100, 100}, {80, 75}, {70, 60}, {75, 70}}, "d1-3! u3-4"},
        SeriesCase{"AFallTurnsUpAtTheThreshold",
                   25,
                   {{100, 100}, {80, 75}, {70, 60}, {74, 70}, {80, 70}},
                   "d1-3! u3-5"}),
    [](const auto& info) { return std::string(info.param.name); });

// Random walks: the swings alternate, each starts where the one before ended, and every
// confirmed swing was turned by a move of at least the threshold from its end.
TEST(ZigZagRandomWalks, SwingsAlternateAndEachReversalReachesTheThreshold) {
  for (unsigned seed = 1; seed <= 20; ++seed) {
    std::mt19937_64 random(seed);
    std::normal_distribution<double> step(0, 0.02);
    const long double percent = 1 + seed % 7;
    std::vector<std::pair<long double, long double>> bars;
    long double price = 100;
    for (int i = 0; i < 2000; ++i) {
      price *= 1 + static_cast<long double>(step(random));
      const long double spread = price * 0.005L;
      bars.emplace_back(price + spread, price - spread);
    }
    const std::vector<Swing> swings = SwingsOf(percent, bars);
    ASSERT_GT(swings.size(), 2u) << "seed " << seed;
    const long double up = 1 + percent / 100;
    const long double down = 1 - percent / 100;
    for (std::size_t k = 0; k < swings.size(); ++k) {
      const Swing& swing = swings[k];
      EXPECT_EQ(swing.Confirmed, k + 1 < swings.size()) << "seed " << seed << ", swing " << k;
      if (k == 0) {
        EXPECT_TRUE(swing.Rising ? swing.B() >= swing.A() * up : swing.B() <= swing.A() * down)
            << "seed " << seed;
        continue;
      }
      const Swing& before = swings[k - 1];
      EXPECT_NE(swing.Rising, before.Rising) << "seed " << seed << ", swing " << k;
      EXPECT_EQ(swing.Start.Line, before.End.Line) << "seed " << seed << ", swing " << k;
      // The bar that turned the swing before lies within this one, so this one's end is at
      // least as far from the turn as that bar.
      if (before.Rising) {
        EXPECT_LE(swing.B(), before.B() * down) << "seed " << seed << ", swing " << k;
      } else {
        EXPECT_GE(swing.B(), before.B() * up) << "seed " << seed << ", swing " << k;
      }
    }
  }
}

}  // namespace
}  // namespace zentarix
