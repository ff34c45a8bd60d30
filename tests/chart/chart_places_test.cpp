// The window picks the swing under the mouse by mapping a pixel column back to a place: that
// place must be the one the chart drew there.
#include "chart/chart_places.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/price_chart.h"
#include "chart/text_measure.h"

namespace zentarix {
namespace {

class FixedMeasure : public TextMeasure {
 public:
  int Width(std::string_view text, int pixels, TFontStyles) const override {
    return static_cast<int>(text.size()) * pixels * 6 / 10;
  }
  int Height(int pixels) const override { return pixels + pixels / 4 + 1; }
};

struct AxisCase {
  const char* name;
  PlaceAxis axis;
};

// Every place drawn at its own pixel column is found there again, whether each has one pixel
// or many; nothing is found beside the bars.
TEST(ChartPlaces, EachPlaceIsFoundWhereItIsDrawn) {
  const AxisCase cases[] = {
      {"few places, wide shares", {10, 1000, 0, 7}},
      {"a pixel a place", {10, 1000, 0, 990}},
      {"shares of one to two pixels", {8, 1021, 2000, 779}},
      {"shares that do not divide", {3, 16, 5, 10}},
  };
  for (const AxisCase& c : cases) {
    for (long place = c.axis.FirstPlace; place < c.axis.FirstPlace + c.axis.PlaceCount; ++place) {
      EXPECT_EQ(PlaceAt(c.axis, PlaceX(c.axis, place)), place) << c.name;
    }
    EXPECT_EQ(PlaceAt(c.axis, c.axis.Left - 1), std::nullopt) << c.name;
    EXPECT_EQ(PlaceAt(c.axis, c.axis.Right), std::nullopt) << c.name;
  }
}

Bar BarAt(long place, Extended low, Extended high) {
  Bar bar;
  bar.Low = low;
  bar.High = high;
  bar.Place = place;
  bar.Line = place + 2;
  return bar;
}

// The selected swing's A and B marks stand over the places the chart's axis finds under them,
// with and without the room the levels keep on the right.
TEST(ChartPlaces, TheAxisOfAChartFindsItsMarks) {
  struct Case {
    const char* name;
    int width;
    long bars;
    long start;
    long end;
  };
  const Case cases[] = {{"wide bars", 1280, 40, 5, 31}, {"a bar a pixel", 800, 600, 120, 455}};
  for (const Case& c : cases) {
    std::vector<Bar> columns;
    for (long place = 0; place < c.bars; ++place) {
      columns.push_back(BarAt(place, 100 + place % 7, 104 + place % 7));
    }
    Swing swing;
    swing.Rising = true;
    swing.Start = BarAt(c.start, 90, 95);
    swing.End = BarAt(c.end, 120, 125);
    PriceChart chart;
    chart.View = {c.width, 600, AllBars};
    chart.PlaceCount = c.bars;
    chart.Columns = columns;
    chart.Selected = swing;
    const std::vector<CanvasOp> ops = BuildChartOps(chart, FixedMeasure());
    const PlaceAxis axis = PlaceAxisOfChart(chart, FixedMeasure());
    std::vector<long> marked;
    for (const CanvasOp& op : ops) {
      const int side = op.Right - op.X;
      if (op.Kind != CanvasOpKind::FillRect || side != op.Bottom - op.Y || side > 20) continue;
      marked.push_back(PlaceAt(axis, op.X + side / 2).value_or(-1));
    }
    EXPECT_EQ(marked, (std::vector<long>{c.start, c.end})) << c.name;
  }
}

}  // namespace
}  // namespace zentarix
