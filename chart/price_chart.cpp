#include "chart/price_chart.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <tuple>
#include <utility>

#include "calc/level_table.h"
#include "calc/number_render.h"
#include "calc/uFloatEnv.h"
#include "calc/user_levels.h"
#include "chart/label_layout.h"
#include "chart/price_scale.h"
#include "diagram/uDiagram.h"
#include "text/listing.h"
#include "text/replace_every.h"
#include "text/user_level_listing.h"

namespace zentarix {

namespace {

// Fixed colours on a white ground: the desktop's palette, which may be a dark one, is never
// asked.
constexpr TColor GroundColor = Rgb(255, 255, 255);
constexpr TColor InkColor = Rgb(0, 0, 0);
constexpr TColor BarColor = Rgb(120, 120, 120);
constexpr TColor GridColor = Rgb(232, 232, 232);
constexpr TColor FrameColor = Rgb(160, 160, 160);
constexpr TColor ZigZagColor = Rgb(0, 64, 160);
constexpr TColor OwnLevelColor = Rgb(150, 60, 170);

// The picture's sizes grow with it from those of 1280 x 720, by the smaller of its two ratios;
// texts never shrink below a size that reads on a screen (a chart in a small window).
struct Sizes {
  int Font;  // labels, axes, legend
  int TitleFont;
  int Line;  // the zigzag and the level lines
  int Margin;
  int Tick;  // an axis tick's length
  int Mark;  // the side of the A and B marks
};

Sizes SizesOf(const ChartView& view) {
  const double scale = std::clamp(std::min(view.Width / 1280.0, view.Height / 720.0), 0.375, 6.0);
  const auto scaled = [scale](double base, int least) {
    return std::max(least, static_cast<int>(std::lround(base * scale)));
  };
  return {scaled(12, 10), scaled(15, 11), scaled(1, 1), scaled(8, 3), scaled(4, 2), scaled(6, 5)};
}

struct LevelLine {
  double Level;
  double Bound1;  // the corridor's bounds, in either order (a falling swing's noise is negative)
  double Bound2;
  TColor Color;
  std::string Label;
};

std::string CorridorLabel(const SpecifiedLevel& level, const TCalcItem& item) {
  const double bound1 = item.*level.LowerBound;
  const double bound2 = item.*level.UpperBound;
  return std::string(level.Name) + " = " + RenderNumber(item.*level.Field, 4) + " (" +
         RenderNumber(std::min(bound1, bound2), 4) + " \u2013 " +
         RenderNumber(std::max(bound1, bound2), 4) + ")";
}

// The levels the table gives a line, then the user's own; an own level the arithmetic cannot
// reach is left out, as the listing would report it.
std::vector<LevelLine> LevelLines(const TCalcItem& item, const std::vector<UserRatio>& ratios) {
  std::vector<LevelLine> lines;
  for (const SpecifiedLevel& level : SpecifiedLevels) {
    // Only a member of the record is drawn: a target point has no Field to read.
    if (level.Chart == ChartLine::None) continue;
    const double value = item.*level.Field;
    if (level.Chart == ChartLine::WithCorridor) {
      lines.push_back({value, item.*level.LowerBound, item.*level.UpperBound, DiagramBlack,
                       CorridorLabel(level, item)});
    } else {
      lines.push_back({value, value, value, DiagramRed, ListingLine(level, value)});
    }
  }
  for (const UserRatio& ratio : ratios) {
    try {
      const UserLevel own{&ratio, UserLevelPrice(item, ratio.Value)};
      lines.push_back({own.Price, own.Price, own.Price, OwnLevelColor, UserLevelText(own)});
    } catch (const EMathError&) {
      ResetFpu();
    }
  }
  return lines;
}

// The lowest and highest price the chart shows: the bars', the last swing's ends and its
// levels' corridor bounds.
std::pair<Extended, Extended> PriceRange(const PriceChart& chart) {
  Extended low = chart.Columns.front().Low;
  Extended high = chart.Columns.front().High;
  for (const Bar& column : chart.Columns) {
    low = std::min(low, column.Low);
    high = std::max(high, column.High);
  }
  const auto widen = [&](Extended price) {
    low = std::min(low, price);
    high = std::max(high, price);
  };
  if (chart.Selected) {
    widen(chart.Selected->A());
    widen(chart.Selected->B());
  }
  if (chart.Levels) {
    for (const LevelLine& line : LevelLines(*chart.Levels, chart.Ratios)) {
      widen(line.Bound1);
      widen(line.Bound2);
    }
  }
  return {low, high};
}

// Whether byte starts a character, being no continuation byte of UTF-8.
bool StartsCharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }

class ChartBuilder {
 public:
  ChartBuilder(const PriceChart& chart, const TextMeasure& measure)
      : FChart(chart), FMeasure(measure), FSizes(SizesOf(chart.View)) {}

  std::vector<CanvasOp> Build();
  // Where the places stand: the plot laid out as Build lays it out.
  PlaceAxis Axis() {
    FPicture = {0, 0, FChart.View.Width, FChart.View.Height};
    Title();
    Frame();
    return FAxis;
  }

 private:
  std::string Translated(const char* source) const {
    return FChart.Translate ? FChart.Translate(source) : std::string(source);
  }
  int TextHeight(int pixels) const { return FMeasure.Height(pixels); }
  int TextWidth(const std::string& text, int pixels, TFontStyles styles = 0) const {
    return FMeasure.Width(text, pixels, styles);
  }
  std::string Fitted(std::string text, int pixels, TFontStyles styles, int width) const;

  void Line(int x1, int y1, int x2, int y2) {
    FOps.push_back(CanvasOp::MoveTo(x1, y1));
    FOps.push_back(CanvasOp::LineTo(x2, y2));
  }
  void Text(const LabelBox& box, std::string text) {
    FOps.push_back(CanvasOp::TextOut(box.Left, box.Top, std::move(text)));
  }
  // Places a label of the current size at the first free candidate inside area and draws it.
  bool Label(const std::vector<LabelBox>& candidates, const LabelBox& area, std::string text);

  void Title();
  void Frame();
  void Grid();
  void Bands();
  void Bars();
  void Candles(int pixelsPerBar);
  void ZigZag();
  void LevelLinesAndMarks();
  void Legend();
  void Labels();
  void DateLabels();

  int X(long place) const;
  int ColumnX(std::size_t i) const;
  int XOfClamped(long place) const { return std::clamp(X(place), FPlot.Left, FPlot.Right - 1); }

  const PriceChart& FChart;
  const TextMeasure& FMeasure;
  Sizes FSizes;
  std::vector<CanvasOp> FOps;
  LabelLayout FLayout;
  LabelBox FPicture;
  LabelBox FPlot;  // inside the frame
  int FBarsRight = 0;
  PlaceAxis FAxis;
  PriceScale FScale{0, 1, 0, 1};
  PriceTicks FTicks;
  std::vector<std::string> FTickTexts;
};

std::string ChartBuilder::Fitted(std::string text, int pixels, TFontStyles styles,
                                 int width) const {
  if (TextWidth(text, pixels, styles) <= width) return text;
  const std::string ellipsis = "\u2026";
  while (!text.empty() && TextWidth(text + ellipsis, pixels, styles) > width) {
    // One character off the end: its continuation bytes, then its first byte.
    while (!text.empty() && !StartsCharacter(text.back())) text.pop_back();
    if (!text.empty()) text.pop_back();
  }
  return text.empty() ? std::string() : text + ellipsis;
}

bool ChartBuilder::Label(const std::vector<LabelBox>& candidates, const LabelBox& area,
                         std::string text) {
  const std::optional<LabelBox> box = FLayout.Place(candidates, area);
  if (box) Text(*box, std::move(text));
  return box.has_value();
}

int ChartBuilder::X(long place) const { return PlaceX(FAxis, place); }

void ChartBuilder::Title() {
  const std::string title =
      ReplaceEvery(ReplaceEvery(Translated(ChartTitleText), "%1", FChart.FileName), "%2",
                   SpokenValue(static_cast<double>(FChart.Percent)));
  FOps.push_back(CanvasOp::SetFontSize(FSizes.TitleFont));
  FOps.push_back(CanvasOp::SetFontStyle(fsBold));
  const int width = FPicture.Right - 2 * FSizes.Margin;
  const std::string shown = Fitted(title, FSizes.TitleFont, fsBold, width);
  const LabelBox box{FSizes.Margin, FSizes.Margin / 2,
                     FSizes.Margin + TextWidth(shown, FSizes.TitleFont, fsBold),
                     FSizes.Margin / 2 + TextHeight(FSizes.TitleFont)};
  FLayout.Block(box);
  Text(box, shown);
  FOps.push_back(CanvasOp::SetFontStyle(0));
  FOps.push_back(CanvasOp::SetFontSize(FSizes.Font));
}

// The plot's box, the price scale and its ticks: the axis on the right is as wide as its
// widest label.
void ChartBuilder::Frame() {
  const int height = TextHeight(FSizes.Font);
  const int top = FSizes.Margin / 2 + TextHeight(FSizes.TitleFont) + FSizes.Margin / 2;
  const int bottom = std::max(top + 2, FPicture.Bottom - height - FSizes.Tick - FSizes.Margin);
  const auto [low, high] = PriceRange(FChart);
  FTicks = RoundTicks(low, high, std::clamp((bottom - top) / (3 * height), 2, 10));
  int axis = 0;
  for (const Extended price : FTicks.Prices) {
    FTickTexts.push_back(RenderNumber(price, FTicks.Decimals));
    axis = std::max(axis, TextWidth(FTickTexts.back(), FSizes.Font));
  }
  const int right =
      std::max(FSizes.Margin + 2, FPicture.Right - axis - FSizes.Tick - 2 * FSizes.Margin / 2 - 2);
  FPlot = {FSizes.Margin, top, right, bottom};
  const int pad = std::min(2 * FSizes.Margin, (bottom - top) / 8);
  FScale = PriceScale(top + pad, bottom - 1 - pad, low, high);
  // The right fifth keeps room for the levels' lines and labels beyond the last bar.
  FBarsRight = FChart.Selected ? FPlot.Left + (FPlot.Right - FPlot.Left) * 4 / 5 : FPlot.Right;
  FAxis = {FPlot.Left, std::max(FBarsRight, FPlot.Left + 1), FChart.FirstPlace,
           std::max<long>(FChart.PlaceCount, 1)};
}

void ChartBuilder::Grid() {
  FOps.push_back(CanvasOp::SetPenWidth(1));
  FOps.push_back(CanvasOp::SetPenColor(GridColor));
  for (const Extended price : FTicks.Prices) {
    const int row = FScale.Row(price);
    Line(FPlot.Left, row, FPlot.Right - 1, row);
  }
  FOps.push_back(CanvasOp::SetPenColor(InkColor));
  for (const Extended price : FTicks.Prices) {
    const int row = FScale.Row(price);
    Line(FPlot.Right, row, FPlot.Right + FSizes.Tick, row);
  }
}

// The corridor bands lie under the bars and the zigzag, from the last swing's start on.
void ChartBuilder::Bands() {
  if (!FChart.Levels || !FChart.Selected) return;
  const int left = XOfClamped(FChart.Selected->Start.Place);
  FOps.push_back(CanvasOp::SetBrushColor(BandColor));
  for (const LevelLine& line : LevelLines(*FChart.Levels, FChart.Ratios)) {
    if (line.Bound1 == line.Bound2) continue;
    const int top = FScale.Row(std::max(line.Bound1, line.Bound2));
    const int bottom = FScale.Row(std::min(line.Bound1, line.Bound2));
    FOps.push_back(CanvasOp::FillRect(left, top, FPlot.Right, bottom + 1));
  }
}

// The middle of the places column i covers.
int ChartBuilder::ColumnX(std::size_t i) const {
  const std::span<const Bar> columns = FChart.Columns;
  const long next =
      i + 1 < columns.size() ? columns[i + 1].Place : FChart.FirstPlace + FChart.PlaceCount;
  return X((columns[i].Place + next - 1) / 2);
}

void ChartBuilder::Bars() {
  const std::span<const Bar> columns = FChart.Columns;
  FOps.push_back(CanvasOp::SetPenColor(BarColor));
  if (FChart.ClosesOnly) {
    FOps.push_back(CanvasOp::SetPenWidth(FSizes.Line));
    for (std::size_t i = 0; i < columns.size(); ++i) {
      const int x = ColumnX(i);
      const int high = FScale.Row(columns[i].High);
      FOps.push_back(i == 0 ? CanvasOp::MoveTo(x, high) : CanvasOp::LineTo(x, high));
      // A column that merged several closes spans their range.
      if (columns[i].Low != columns[i].High) {
        FOps.push_back(CanvasOp::LineTo(x, FScale.Row(columns[i].Low)));
      }
    }
    return;
  }
  const long long pixelsPerBar =
      (FBarsRight - FPlot.Left) / std::max<long long>(FChart.PlaceCount, 1);
  if (pixelsPerBar >= 3) {
    Candles(static_cast<int>(std::min<long long>(pixelsPerBar, 1000)));
    return;
  }
  // Below three pixels a bar, a column a pixel: its range.
  FOps.push_back(CanvasOp::SetPenWidth(1));
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const int x = ColumnX(i);
    Line(x, FScale.Row(columns[i].High), x, FScale.Row(columns[i].Low));
  }
}

// A bar of three pixels or more: its range as a wick, and its body from the open to the close
// in the colour of its direction; without an open, a tick to the right at the close.
void ChartBuilder::Candles(int pixelsPerBar) {
  const std::span<const Bar> columns = FChart.Columns;
  // An odd width keeps the body centred on its wick.
  const int body = std::max(1, pixelsPerBar * 3 / 5) | 1;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const Bar& bar = columns[i];
    const int x = ColumnX(i);
    FOps.push_back(CanvasOp::SetPenColor(BarColor));
    FOps.push_back(CanvasOp::SetPenWidth(bar.Open > 0 && bar.Close > 0 ? 1 : FSizes.Line + 1));
    Line(x, FScale.Row(bar.High), x, FScale.Row(bar.Low));
    if (bar.Close <= 0) continue;
    const int close = FScale.Row(bar.Close);
    if (bar.Open <= 0) {
      Line(x, close, x + body / 2 + 1, close);
      continue;
    }
    const int open = FScale.Row(bar.Open);
    FOps.push_back(CanvasOp::SetBrushColor(bar.Close >= bar.Open ? RisingColor : FallingColor));
    FOps.push_back(CanvasOp::FillRect(x - body / 2, std::min(open, close), x - body / 2 + body,
                                      std::max(open, close) + 1));
  }
}

// Through the swings' ends; a segment from before the view enters at the plot's left edge.
// Where many ends share a pixel column, the line only runs up and down it: of each run of
// points in one column, the first, the lowest, the highest and the last are drawn, so that a
// history of millions of swings is a line of a few points a column, drawn as it would be whole.
// A zigzag of more swings than a third of the bars' pixels would hide the bars under a solid
// mass: then only its last two legs are drawn.
void ChartBuilder::ZigZag() {
  std::span<const ZigZagPoint> points = FChart.ZigZag;
  if (points.size() < 2) return;
  const auto legible = static_cast<std::size_t>(std::max(3, (FBarsRight - FPlot.Left) / 3));
  if (points.size() > legible) points = points.last(3);
  const auto at = [&](std::size_t i) {
    return std::pair<long long, long long>{X(points[i].Place), FScale.Row(points[i].Price)};
  };
  auto [x0, y0] = at(0);
  if (x0 < FPlot.Left) {
    const auto [x1, y1] = at(1);
    y0 = x1 == x0 ? y1 : y0 + (y1 - y0) * (FPlot.Left - x0) / (x1 - x0);
    x0 = FPlot.Left;
  }
  std::vector<std::pair<int, int>> line{{static_cast<int>(x0), static_cast<int>(y0)}};
  const bool dashLast = !FChart.LastLegConfirmed;
  const std::size_t solid = dashLast ? points.size() - 1 : points.size();
  for (std::size_t i = 1; i < solid;) {
    const long long x = at(i).first;
    std::size_t end = i;
    long long lowest = at(i).second, highest = lowest;
    for (; end < solid && at(end).first == x; ++end) {
      lowest = std::max(lowest, at(end).second);  // rows grow downwards
      highest = std::min(highest, at(end).second);
    }
    const long long first = at(i).second;
    const long long last = at(end - 1).second;
    for (const long long y : {first, highest, lowest, last}) {
      if (line.back() != std::pair{static_cast<int>(x), static_cast<int>(y)}) {
        line.emplace_back(static_cast<int>(x), static_cast<int>(y));
      }
    }
    i = end;
  }
  FOps.push_back(CanvasOp::SetPenColor(ZigZagColor));
  FOps.push_back(CanvasOp::SetPenWidth(FSizes.Line));
  FOps.push_back(CanvasOp::MoveTo(line.front().first, line.front().second));
  for (std::size_t i = 1; i < line.size(); ++i) {
    FOps.push_back(CanvasOp::LineTo(line[i].first, line[i].second));
  }
  if (!dashLast) return;
  // The swing that is not confirmed may still be extended or undone: its leg is dashed.
  const auto [x, y] = at(points.size() - 1);
  FOps.push_back(CanvasOp::SetPenStyle(psDash));
  FOps.push_back(CanvasOp::LineTo(static_cast<int>(x), static_cast<int>(y)));
  FOps.push_back(CanvasOp::SetPenStyle(psSolid));
}

void ChartBuilder::LevelLinesAndMarks() {
  if (!FChart.Selected) return;
  if (FChart.Levels) {
    const int left = XOfClamped(FChart.Selected->Start.Place);
    FOps.push_back(CanvasOp::SetPenWidth(FSizes.Line));
    for (const LevelLine& line : LevelLines(*FChart.Levels, FChart.Ratios)) {
      const int row = FScale.Row(line.Level);
      FOps.push_back(CanvasOp::SetPenColor(line.Color));
      Line(left, row, FPlot.Right - 1, row);
    }
  }
  FOps.push_back(CanvasOp::SetBrushColor(ZigZagColor));
  const int half = FSizes.Mark / 2;
  for (const auto& [place, price] : {std::pair{FChart.Selected->Start.Place, FChart.Selected->A()},
                                     std::pair{FChart.Selected->End.Place, FChart.Selected->B()}}) {
    const int x = X(place);
    const int y = FScale.Row(price);
    FOps.push_back(
        CanvasOp::FillRect(x - half, y - half, x - half + FSizes.Mark, y - half + FSizes.Mark));
  }
}

// In a corner of the plot, on white: the threshold, the noise, the last swing's dates and the
// file's name; no label is placed over it.
void ChartBuilder::Legend() {
  std::vector<std::string> lines{
      ReplaceEvery(Translated(ThresholdText), "%1",
                   SpokenValue(static_cast<double>(FChart.Percent))),
      ReplaceEvery(Translated(NoiseText), "%1",
                   SpokenValue(static_cast<double>(FChart.Tenths / 10)))};
  if (FChart.Selected) {
    std::string dates =
        ReplaceEvery(ReplaceEvery(Translated(SwingDatesText), "%1", FChart.Selected->Start.Time),
                     "%2", FChart.Selected->End.Time);
    if (!FChart.Selected->Confirmed) dates += ' ' + Translated(NotConfirmedText);
    lines.push_back(dates);
  }
  lines.push_back(ReplaceEvery(Translated(FileText), "%1", FChart.FileName));
  const int height = TextHeight(FSizes.Font);
  const int pad = FSizes.Margin / 2 + 1;
  const int room = (FPlot.Right - FPlot.Left) / 2 - 2 * pad;
  int width = 0;
  for (std::string& line : lines) {
    line = Fitted(line, FSizes.Font, 0, room);
    width = std::max(width, TextWidth(line, FSizes.Font));
  }
  const int boxWidth = width + 2 * pad;
  const int boxHeight = static_cast<int>(lines.size()) * height + 2 * pad;
  // Top left, else bottom left, else top right of the bars: the first corner that leaves the
  // selected swing's A and B and their labels' room uncovered.
  const int left = FPlot.Left + FSizes.Margin;
  const int top = FPlot.Top + FSizes.Margin;
  const int right = FBarsRight - FSizes.Margin - boxWidth;
  const int bottom = FPlot.Bottom - FSizes.Margin - boxHeight;
  const LabelBox corners[] = {{left, top, left + boxWidth, top + boxHeight},
                              {left, bottom, left + boxWidth, bottom + boxHeight},
                              {right, top, right + boxWidth, top + boxHeight}};
  const auto clear = [&](const LabelBox& box) {
    if (!FChart.Selected) return true;
    const int reach = FSizes.Mark + 2 * height;
    for (const auto& [place, price] :
         {std::pair{FChart.Selected->Start.Place, FChart.Selected->A()},
          std::pair{FChart.Selected->End.Place, FChart.Selected->B()}}) {
      const int x = X(place);
      const int y = FScale.Row(price);
      if (box.Overlaps({x - reach, y - reach, x + reach, y + reach})) return false;
    }
    return true;
  };
  const LabelBox* chosen = std::find_if(std::begin(corners), std::end(corners), clear);
  const LabelBox box = chosen != std::end(corners) ? *chosen : corners[0];
  // A picture too small for the legend goes without it.
  if (box.Right > FPlot.Right || box.Bottom > FPlot.Bottom || box.Left < FPlot.Left ||
      box.Top < FPlot.Top) {
    return;
  }
  FLayout.Block(box);
  FOps.push_back(CanvasOp::SetBrushColor(GroundColor));
  FOps.push_back(CanvasOp::FillRect(box.Left, box.Top, box.Right, box.Bottom));
  FOps.push_back(CanvasOp::SetPenWidth(1));
  FOps.push_back(CanvasOp::SetPenColor(FrameColor));
  FOps.push_back(CanvasOp::MoveTo(box.Left, box.Top));
  FOps.push_back(CanvasOp::LineTo(box.Right - 1, box.Top));
  FOps.push_back(CanvasOp::LineTo(box.Right - 1, box.Bottom - 1));
  FOps.push_back(CanvasOp::LineTo(box.Left, box.Bottom - 1));
  FOps.push_back(CanvasOp::LineTo(box.Left, box.Top));
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const int lineTop = box.Top + pad + static_cast<int>(i) * height;
    Text({box.Left + pad, lineTop, box.Right - pad, lineTop + height}, lines[i]);
  }
}

// In order of priority: the last swing's A and B, its levels, the price axis, the dates.
void ChartBuilder::Labels() {
  const int height = TextHeight(FSizes.Font);
  FOps.push_back(CanvasOp::SetBrushColor(GroundColor));
  FOps.push_back(CanvasOp::SetTextColor(InkColor));
  if (FChart.Selected) {
    const Swing& last = *FChart.Selected;
    for (const auto& [name, place, price, above] :
         {std::tuple{"A ", last.Start.Place, last.A(), !last.Rising},
          std::tuple{"B ", last.End.Place, last.B(), last.Rising}}) {
      const std::string text = name + RenderNumber(price, 4);
      const int width = TextWidth(text, FSizes.Font);
      const int x = std::clamp(X(place) - width / 2, FPlot.Left, FPlot.Right - width);
      const int y = FScale.Row(price);
      const int top = above ? y - FSizes.Mark - height : y + FSizes.Mark;
      Label(StackedCandidates(x, top, width, height, 4), FPlot, text);
    }
  }
  if (FChart.Levels) {
    for (const LevelLine& line : LevelLines(*FChart.Levels, FChart.Ratios)) {
      const int width = TextWidth(line.Label, FSizes.Font);
      const int top = FScale.Row(std::max(line.Bound1, line.Bound2)) - height - 1;
      Label(StackedCandidates(FPlot.Right - FSizes.Margin - width, top, width, height, 6), FPlot,
            line.Label);
    }
  }
  const LabelBox axis{FPlot.Right + 1, 0, FPicture.Right, FPicture.Bottom};
  for (std::size_t i = 0; i < FTicks.Prices.size(); ++i) {
    const int width = TextWidth(FTickTexts[i], FSizes.Font);
    const int left = FPlot.Right + FSizes.Tick + 2;
    const int top = FScale.Row(FTicks.Prices[i]) - height / 2;
    const std::vector<LabelBox> at{{left, top, left + width, top + height}};
    Label(at, axis, FTickTexts[i]);
  }
  DateLabels();
}

// A few of the columns' dates below the plot, evenly spread; those that find no room are
// left out.
void ChartBuilder::DateLabels() {
  const std::span<const Bar> columns = FChart.Columns;
  const int height = TextHeight(FSizes.Font);
  const LabelBox below{0, FPlot.Bottom + 1, FPicture.Right, FPicture.Bottom};
  const std::size_t wanted =
      static_cast<std::size_t>(std::clamp((FBarsRight - FPlot.Left) / (12 * FSizes.Font), 2, 10));
  const std::size_t n = columns.size();
  for (std::size_t k = 0; k < wanted && n > 0; ++k) {
    const std::size_t i = n == 1 ? 0 : (k * (n - 1) + (wanted - 1) / 2) / (wanted - 1);
    if (columns[i].Time.empty()) continue;
    const std::string text = Fitted(columns[i].Time, FSizes.Font, 0, FPicture.Right);
    const int x = X(columns[i].Place);
    const int width = TextWidth(text, FSizes.Font);
    const int left = std::clamp(x - width / 2, 0, std::max(0, FPicture.Right - width));
    const int top = FPlot.Bottom + FSizes.Tick + 1;
    // A gap of a margin either side keeps neighbours apart.
    const std::vector<LabelBox> at{
        {left - FSizes.Margin, top, left + width + FSizes.Margin, top + height}};
    if (!FLayout.Place(at, {below.Left - FSizes.Margin, below.Top, below.Right + FSizes.Margin,
                            below.Bottom})) {
      continue;
    }
    FOps.push_back(CanvasOp::SetPenColor(InkColor));
    FOps.push_back(CanvasOp::SetPenWidth(1));
    Line(x, FPlot.Bottom, x, FPlot.Bottom + FSizes.Tick);
    Text({left, top, left + width, top + height}, text);
  }
}

std::vector<CanvasOp> ChartBuilder::Build() {
  FPicture = {0, 0, FChart.View.Width, FChart.View.Height};
  FOps.push_back(CanvasOp::SetBrushColor(GroundColor));
  FOps.push_back(CanvasOp::SetTextColor(InkColor));
  Title();
  Frame();
  if (!FChart.Columns.empty()) {
    Grid();
    Bands();
    Bars();
    ZigZag();
    LevelLinesAndMarks();
    Legend();
    Labels();
  }
  FOps.push_back(CanvasOp::SetPenWidth(1));
  FOps.push_back(CanvasOp::SetPenColor(FrameColor));
  FOps.push_back(CanvasOp::MoveTo(FPlot.Left - 1, FPlot.Top - 1));
  FOps.push_back(CanvasOp::LineTo(FPlot.Right, FPlot.Top - 1));
  FOps.push_back(CanvasOp::LineTo(FPlot.Right, FPlot.Bottom));
  FOps.push_back(CanvasOp::LineTo(FPlot.Left - 1, FPlot.Bottom));
  FOps.push_back(CanvasOp::LineTo(FPlot.Left - 1, FPlot.Top - 1));
  return std::move(FOps);
}

}  // namespace

std::vector<CanvasOp> BuildChartOps(const PriceChart& chart, const TextMeasure& measure) {
  return ChartBuilder(chart, measure).Build();
}

std::optional<TCalcItem> SwingLevels(const Swing& swing, Extended tenths) {
  TCalcItem item;
  try {
    if (CalculateLevels(item, swing.A(), swing.B(), tenths)) return item;
  } catch (const EMathError&) {
    ResetFpu();
  }
  return std::nullopt;
}

PlaceAxis PlaceAxisOfChart(const PriceChart& chart, const TextMeasure& measure) {
  return ChartBuilder(chart, measure).Axis();
}

long ViewStart(const ChartView& view, long bars, const Swing* beforeLast, const Swing* last) {
  if (view.Bars == AllBars) return 0;
  if (view.Bars > 0) return std::max(0L, bars - view.Bars);
  const Swing* from = beforeLast != nullptr ? beforeLast : last;
  const long start = from != nullptr ? from->Start.Place : 0;
  return std::max(0L, std::min(start, bars - MinViewBars));
}

}  // namespace zentarix
