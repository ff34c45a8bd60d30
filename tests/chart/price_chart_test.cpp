// The chart's operations, measured with a fixed advance a character: labels never overlap one
// another, the plot's frame or the picture's edge at any size; the price axis has round ticks;
// the unconfirmed leg is dashed; the view and the columns hold exactly the bars they should;
// the price scale and the level lines cover what they should.
#include "chart/price_chart.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "chart/bar_columns.h"
#include "chart/chart_gathering.h"
#include "chart/price_scale.h"
#include "diagram/uDiagram.h"
#include "tests/support/row_printer.h"

namespace zentarix {
namespace {

using zentarix::test::PrintTo;

// Six tenths of the pixel size a character, as a sans-serif face roughly advances.
class FixedMeasure : public TextMeasure {
 public:
  int Width(std::string_view text, int pixels, TFontStyles) const override {
    int characters = 0;
    for (const char byte : text) characters += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
    return (characters * pixels * 6 + 9) / 10;
  }
  int Height(int pixels) const override { return pixels + pixels / 4 + 1; }
};

struct Box {
  int Left, Top, Right, Bottom;
  bool Overlaps(const Box& o) const {
    return Left < o.Right && o.Left < Right && Top < o.Bottom && o.Top < Bottom;
  }
};

// Every text's cell, as the replay paints it.
std::vector<Box> TextBoxes(const std::vector<CanvasOp>& ops) {
  const FixedMeasure measure;
  int pixels = 12;
  TFontStyles styles = 0;
  std::vector<Box> boxes;
  for (const CanvasOp& op : ops) {
    if (op.Kind == CanvasOpKind::SetFontSize) pixels = op.X;
    if (op.Kind == CanvasOpKind::SetFontStyle) styles = op.Styles;
    if (op.Kind != CanvasOpKind::TextOut) continue;
    boxes.push_back(
        {op.X, op.Y, op.X + measure.Width(op.Text, pixels, styles), op.Y + measure.Height(pixels)});
  }
  return boxes;
}

// A history of bars at places 0, 1, ...: its swings and the chart of them all.
struct Drawn {
  std::vector<Bar> Bars;
  ChartGathering Gathering;
  PriceChart Chart;
  std::vector<CanvasOp> Ops;
};

std::unique_ptr<Drawn> Draw(std::vector<std::pair<long double, long double>> prices, ChartView view,
                            long double tenths = 30, std::vector<UserRatio> ratios = {}) {
  auto drawn = std::make_unique<Drawn>();
  ZigZag zigzag(5);
  std::vector<Swing> swings;
  for (std::size_t i = 0; i < prices.size(); ++i) {
    Bar bar;
    bar.High = prices[i].first;
    bar.Low = prices[i].second;
    bar.Line = static_cast<long>(i) + 2;
    bar.Place = static_cast<long>(i);
    bar.Time = "2024-01-" + std::to_string(i % 28 + 1);
    // Opening low and closing high on even bars, the other way on odd ones.
    const long double quarter = (bar.High - bar.Low) / 4;
    bar.Open = i % 2 == 0 ? bar.Low + quarter : bar.High - quarter;
    bar.Close = i % 2 == 0 ? bar.High - quarter : bar.Low + quarter;
    drawn->Bars.push_back(bar);
    if (const auto swing = zigzag.Add(bar)) swings.push_back(*swing);
  }
  if (const auto swing = zigzag.Finish()) swings.push_back(*swing);
  for (const Swing& swing : swings) drawn->Gathering.NoteSwing(swing);
  drawn->Gathering.StartView(view, static_cast<long>(prices.size()));
  for (const Bar& bar : drawn->Bars) drawn->Gathering.AddBar(bar);
  for (const Swing& swing : swings) drawn->Gathering.AddSwing(swing);
  drawn->Chart = drawn->Gathering.Chart();
  drawn->Chart.FileName = "prices.csv";
  drawn->Chart.Tenths = tenths;
  if (drawn->Chart.Selected) {
    TCalcItem item;
    if (CalculateLevels(item, drawn->Chart.Selected->A(), drawn->Chart.Selected->B(), tenths)) {
      drawn->Chart.Levels = item;
    }
  }
  drawn->Chart.Ratios = std::move(ratios);
  drawn->Ops = BuildChartOps(drawn->Chart, FixedMeasure());
  return drawn;
}

std::vector<std::pair<long double, long double>> RandomWalk(int bars, unsigned seed) {
  std::mt19937 random(seed);
  std::normal_distribution<double> step(0, 0.01);
  std::vector<std::pair<long double, long double>> prices;
  double price = 100;
  for (int i = 0; i < bars; ++i) {
    const double next = price * (1 + step(random));
    prices.emplace_back(std::max(price, next) * 1.002, std::min(price, next) * 0.998);
    price = next;
  }
  return prices;
}

// A long walk, then a rise of 900% and a last swing of a few percent.
std::vector<std::pair<long double, long double>> HugeThenTiny() {
  auto prices = RandomWalk(300, 7);
  for (int i = 1; i <= 50; ++i) prices.emplace_back(100 + 18 * i, 99 + 18 * i);
  for (int i = 0; i < 8; ++i) prices.emplace_back(1000 - 8 * i, 995 - 8 * i);
  return prices;
}

struct LayoutCase {
  const char* name;
  int width, height;
  int history;  // 0 a walk of 2,000 bars, 1 a huge rise then a tiny swing, 2 flat, 3 one bar
  long bars;
  // The user's own levels: the common ones, one at F3 itself and one right beside another.
  bool ownLevels = false;
};

std::vector<UserRatio> CommonRatios() {
  return {{0.236L, "0.236"}, {0.24L, "0.24"},   {0.382L, "0.382"},
          {0.786L, "0.786"}, {1.618L, "1.618"}, {-0.618L, "-0.618"}};
}

std::vector<std::pair<long double, long double>> HistoryOf(int kind) {
  switch (kind) {
    case 0:
      return RandomWalk(2000, 1);
    case 1:
      return HugeThenTiny();
    case 2:
      return std::vector<std::pair<long double, long double>>(300, {100, 100});
    default:
      return {{101, 99}};
  }
}

class ChartLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(ChartLayout, LabelsNeverOverlapEachOtherTheFrameOrTheEdge) {
  const LayoutCase& c = GetParam();
  const auto drawn = Draw(HistoryOf(c.history), {c.width, c.height, c.bars}, 30,
                          c.ownLevels ? CommonRatios() : std::vector<UserRatio>());
  const std::vector<CanvasOp>& ops = drawn->Ops;
  // A small picture may find no room for it: a label without room is left out.
  if (c.ownLevels && c.width >= 1280) {
    const bool labelled = std::any_of(
        ops.begin(), ops.end(), [](const CanvasOp& op) { return op.Text.find("161.8% = ") == 0; });
    EXPECT_TRUE(labelled) << "no label of the level at 161.8%";
  }
  // The frame is drawn last: MoveTo(left, top), then round to it.
  ASSERT_GE(ops.size(), 5u);
  const CanvasOp& corner = ops[ops.size() - 5];
  const CanvasOp& opposite = ops[ops.size() - 3];
  const std::vector<Box> boxes = TextBoxes(ops);
  ASSERT_FALSE(boxes.empty());
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const Box& b = boxes[i];
    EXPECT_TRUE(b.Left >= 0 && b.Top >= 0 && b.Right <= c.width && b.Bottom <= c.height)
        << "text " << i << " leaves the picture";
    const bool inside =
        b.Left > corner.X && b.Right <= opposite.X && b.Top > corner.Y && b.Bottom <= opposite.Y;
    const bool outside =
        b.Right <= corner.X || b.Left > opposite.X || b.Bottom <= corner.Y || b.Top > opposite.Y;
    EXPECT_TRUE(inside || outside) << "text " << i << " crosses the frame";
    for (std::size_t j = 0; j < i; ++j) {
      EXPECT_FALSE(b.Overlaps(boxes[j])) << "texts " << j << " and " << i << " overlap";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(SizesAndHistories, ChartLayout,
                         ::testing::Values(LayoutCase{"Walk480", 480, 270, 0, AllBars},
                                           LayoutCase{"Walk1280", 1280, 720, 0, AllBars},
                                           LayoutCase{"WalkDefaultView", 1280, 720, 0, 0},
                                           LayoutCase{"Walk7680", 7680, 4320, 0, AllBars},
                                           LayoutCase{"HugeThenTiny480", 480, 270, 1, AllBars},
                                           LayoutCase{"HugeThenTiny3840", 3840, 2160, 1, AllBars},
                                           LayoutCase{"HugeThenTinyLast20", 640, 360, 1, 20},
                                           LayoutCase{"Flat480", 480, 270, 2, AllBars},
                                           LayoutCase{"OneBar1280", 1280, 720, 3, AllBars},
                                           LayoutCase{"OwnLevels1280", 1280, 720, 0, 0, true},
                                           LayoutCase{"OwnLevels480", 480, 270, 1, 20, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// The text of every label on the price axis: right of the frame.
std::vector<std::string> AxisTexts(const std::vector<CanvasOp>& ops) {
  const int right = ops[ops.size() - 3].X;
  std::vector<std::string> texts;
  for (const CanvasOp& op : ops) {
    if (op.Kind == CanvasOpKind::TextOut && op.X > right) texts.push_back(op.Text);
  }
  return texts;
}

TEST(ChartAxis, AtMostTenRoundTicksThatGrowWithThePicture) {
  const auto small = Draw(RandomWalk(2000, 1), {480, 270, AllBars});
  const auto large = Draw(RandomWalk(2000, 1), {3840, 2160, AllBars});
  const std::vector<std::string> ticks = AxisTexts(large->Ops);
  EXPECT_GE(ticks.size(), 4u);
  EXPECT_LE(ticks.size(), 10u);
  EXPECT_LE(AxisTexts(small->Ops).size(), ticks.size());
  // The font grows with the picture.
  const auto fontSize = [](const std::vector<CanvasOp>& ops) {
    for (auto op = ops.rbegin(); op != ops.rend(); ++op) {
      if (op->Kind == CanvasOpKind::SetFontSize) return op->X;
    }
    return 0;
  };
  EXPECT_EQ(fontSize(large->Ops),
            3 * fontSize(Draw(RandomWalk(2000, 1), {1280, 720, AllBars})->Ops));
}

// Multiples of one step of 1, 2 or 5 times a power of ten, at most `most`, and the smallest
// such step: the next smaller one would give more.
TEST(RoundTicks, AreTheMultiplesOfTheSmallestRoundStepThatFits) {
  std::mt19937 random(20261208);
  std::uniform_real_distribution<double> exponent(-6, 6);
  std::uniform_real_distribution<double> share(0.001, 3);
  for (int i = 0; i < 2000; ++i) {
    const long double low = std::pow(10.0L, exponent(random));
    const long double high = low * (1 + share(random));
    const int most = 2 + i % 9;
    const PriceTicks ticks = RoundTicks(low, high, most);
    ASSERT_FALSE(ticks.Prices.empty()) << low << ' ' << high;
    ASSERT_LE(ticks.Prices.size(), static_cast<std::size_t>(most)) << low << ' ' << high;
    const long double power = std::pow(10.0L, std::floor(std::log10(ticks.Step) + 1e-9L));
    const long double mantissa = std::round(ticks.Step / power);
    EXPECT_TRUE(mantissa == 1 || mantissa == 2 || mantissa == 5) << ticks.Step;
    const long double smaller = mantissa == 1 ? power / 2 : mantissa == 2 ? power : 2 * power;
    EXPECT_GT(std::floor(high / smaller) - std::ceil(low / smaller) + 1, most)
        << low << ' ' << high << " could take " << smaller;
    for (const long double price : ticks.Prices) {
      const long double multiples = price / ticks.Step;
      EXPECT_NEAR(multiples, std::round(multiples), 1e-9L) << price << " of " << ticks.Step;
      EXPECT_TRUE(price >= low && price <= high) << price;
    }
  }
}

// The leg of a swing not yet confirmed is dashed, and only that one.
TEST(ChartZigZag, TheUnconfirmedLegAloneIsDashed) {
  const auto drawn = Draw(RandomWalk(2000, 1), {1280, 720, AllBars});
  ASSERT_FALSE(drawn->Chart.LastLegConfirmed);
  const auto count = [](const std::vector<CanvasOp>& ops) {
    return std::count(ops.begin(), ops.end(), CanvasOp::SetPenStyle(psDash));
  };
  const auto dash = std::find(drawn->Ops.begin(), drawn->Ops.end(), CanvasOp::SetPenStyle(psDash));
  ASSERT_NE(dash, drawn->Ops.end());
  EXPECT_EQ(count(drawn->Ops), 1);
  EXPECT_EQ(dash[1].Kind, CanvasOpKind::LineTo);
  EXPECT_EQ(dash[2], CanvasOp::SetPenStyle(psSolid));

  PriceChart confirmed = drawn->Chart;
  confirmed.LastLegConfirmed = true;
  EXPECT_EQ(count(BuildChartOps(confirmed, FixedMeasure())), 0);
}

// A bar of three pixels or more is a candle: a body in the colour of its direction.
TEST(ChartBars, CandlesFromThreePixelsABar) {
  struct Row {
    int bars, width;
    long rising, falling;
  };
  for (const Row row :
       {Row{20, 640, 10, 10}, Row{140, 640, 70, 70}, Row{180, 640, 0, 0}, Row{2000, 480, 0, 0}}) {
    const auto drawn = Draw(RandomWalk(row.bars, 3), {row.width, row.width * 9 / 16, AllBars});
    const auto bodies = [&](TColor color) {
      long count = 0;
      for (std::size_t i = 0; i + 1 < drawn->Ops.size(); ++i) {
        count += drawn->Ops[i] == CanvasOp::SetBrushColor(color) &&
                 drawn->Ops[i + 1].Kind == CanvasOpKind::FillRect;
      }
      return count;
    };
    EXPECT_EQ(bodies(RisingColor), row.rising) << row.bars << " bars on " << row.width;
    EXPECT_EQ(bodies(FallingColor), row.falling) << row.bars << " bars on " << row.width;
  }
}

// The levels' bands hold their corridors inside the plot, and their lines start where the
// last swing starts.
TEST(ChartLevels, BandsInsideThePlotLinesFromTheSwingsStart) {
  // A noise of 100% makes the corridors reach far beyond the last ten bars, each its own way.
  const auto drawn = Draw(HugeThenTiny(), {1280, 720, 10}, 1000);
  const std::vector<CanvasOp>& ops = drawn->Ops;
  const int top = ops[ops.size() - 5].Y;
  const int bottom = ops[ops.size() - 3].Y;
  int bands = 0;
  for (const CanvasOp& op : ops) {
    if (op.Kind != CanvasOpKind::FillRect || op.Right - op.X < 50) continue;
    ++bands;
    EXPECT_GT(op.Y, top) << op;
    EXPECT_LE(op.Bottom, bottom) << op;
  }
  EXPECT_GE(bands, 2);
  const auto red = std::find(ops.begin(), ops.end(), CanvasOp::SetPenColor(DiagramRed));
  ASSERT_NE(red, ops.end());
  const auto mark = std::find_if(
      red, ops.end(), [](const CanvasOp& op) { return op.Kind == CanvasOpKind::FillRect; });
  ASSERT_NE(mark, ops.end());
  EXPECT_EQ(red[1].X, (mark->X + mark->Right) / 2) << "the 50% line starts away from A";
}

struct ViewCase {
  const char* name;
  long bars;     // --bars
  long history;  // bars in the history
  long before;   // the start of the swing before the last, -1 for none
  long last;     // the start of the last swing
  long expected;
};

class ChartViewStart : public ::testing::TestWithParam<ViewCase> {};

TEST_P(ChartViewStart, StartsWhereTheViewAsks) {
  const ViewCase& c = GetParam();
  Swing before, last;
  before.Start.Place = c.before;
  last.Start.Place = c.last;
  EXPECT_EQ(ViewStart({1280, 720, c.bars}, c.history, c.before >= 0 ? &before : nullptr, &last),
            c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Views, ChartViewStart,
    ::testing::Values(ViewCase{"All", AllBars, 5000, 4000, 4500, 0},
                      ViewCase{"LastN", 300, 5000, 4000, 4500, 4700},
                      ViewCase{"MoreThanTheHistory", 9000, 5000, 4000, 4500, 0},
                      ViewCase{"SwingBeforeTheLast", 0, 5000, 4000, 4500, 4000},
                      ViewCase{"AtLeastAHundred", 0, 5000, 4950, 4980, 4900},
                      ViewCase{"OneSwing", 0, 5000, -1, 3000, 3000},
                      ViewCase{"ShortHistory", 0, 40, 10, 20, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// Each column holds exactly the bars from its place to the next column's: a bar's high is its
// place plus 1000, its low its place.
TEST(BarColumns, EachColumnCoversExactlyItsBars) {
  for (const std::size_t width : {1u, 3u, 7u}) {
    for (const long count : {1L, 2L, 5L, 6L, 7L, 13L, 100L, 1001L}) {
      BarColumns columns(width);
      for (long place = 0; place < count; ++place) {
        Bar bar;
        bar.High = place + 1000;
        bar.Low = place;
        bar.Place = place;
        columns.Add(bar);
      }
      const std::vector<Bar>& kept = columns.Columns();
      ASSERT_LE(kept.size(), 2 * width);
      // The fewest bars a column, a power of two, that fit the history into the columns.
      long per = 1;
      while ((count + per - 1) / per > static_cast<long>(2 * width)) per *= 2;
      ASSERT_EQ(kept.size(), static_cast<std::size_t>((count + per - 1) / per))
          << width << ' ' << count;
      for (std::size_t i = 0; i < kept.size(); ++i) {
        const long end = i + 1 < kept.size() ? kept[i + 1].Place : count;
        EXPECT_EQ(kept[i].Low, kept[i].Place) << width << ' ' << count << ' ' << i;
        EXPECT_EQ(kept[i].High, end - 1 + 1000) << width << ' ' << count << ' ' << i;
      }
      EXPECT_EQ(kept.front().Place, 0);
    }
  }
}

}  // namespace
}  // namespace zentarix
