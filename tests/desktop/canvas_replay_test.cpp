// Operation lists replayed into an image: exact band colour on the band's rows and columns
// and not one row beyond, the red 50% row, lines without their end pixel, fills of exactly
// left <= x < right and top <= y < bottom, and labels on an opaque background.
#include "desktop/canvas_replay.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "calc/uFloatEnv.h"
#include "diagram/named_colors.h"
#include "diagram/uDiagram.h"
#include "tests/support/marks_guard.h"
#include "tests/support/row_printer.h"

using namespace zentarix;

namespace {

using zentarix::test::PrintTo;

const QRgb White = qRgb(255, 255, 255);
const QRgb Band = qRgb(200, 200, 255);
const QRgb Red = qRgb(255, 0, 0);

// Glyphs without antialiasing, so that the font colour lands on pixels unblended.
QFont LabelFont() {
  QFont font("MS Sans Serif");
  font.setPixelSize(11);
  font.setStyleStrategy(QFont::NoAntialias);
  return font;
}

QPalette TestPalette() {
  QPalette palette;
  palette.setColor(QPalette::WindowText, QColor(10, 20, 30));
  palette.setColor(QPalette::Button, QColor(40, 50, 60));
  return palette;
}

// The operations are in logical pixels; ratio is the image's device pixel ratio.
QImage Replayed(int width, int height, const std::vector<CanvasOp>& ops,
                const QFont& font = LabelFont(), double ratio = 1) {
  QImage image(static_cast<int>(std::ceil(width * ratio)),
               static_cast<int>(std::ceil(height * ratio)), QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(White);
  QPainter painter(&image);
  CanvasReplay canvas(painter, QSize(width, height), font, TestPalette(), clWhite, clWindowText);
  canvas.Replay(ops);
  return image;
}

QImage PaintedDiagram(int width, int height, long double a, long double b, long double tenths) {
  ResetFpu();
  TCalcItem item;
  CalculateLevels(item, a, b, tenths);
  return Replayed(width, height, BuildDiagramOps(width, height, item, clWhite, clWindowText));
}

int CountColour(const QImage& image, QRect area, QRgb colour) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) count += image.pixel(x, y) == colour;
  }
  return count;
}

// The worked example at 461 x 431, rising: F3 band rows 161 to 182 over columns 106 to 257,
// F5 band rows 248 to 269 over columns 258 to 409. The columns tested here lie clear of the
// legs and the labels.
TEST(DiagramPixels, BandsCoverExactlyTheirRowsAndColumns) {
  const QImage image = PaintedDiagram(461, 431, 100, 110, 30);
  for (int x : {106, 150}) {
    EXPECT_NE(image.pixel(x, 160), Band) << "above the F3 band, column " << x;
    EXPECT_NE(image.pixel(x, 183), Band) << "below the F3 band, column " << x;
    for (int y = 161; y <= 182; ++y) EXPECT_EQ(image.pixel(x, y), Band) << x << "," << y;
  }
  for (int x : {258, 300}) {
    EXPECT_NE(image.pixel(x, 247), Band) << "above the F5 band, column " << x;
    EXPECT_NE(image.pixel(x, 270), Band) << "below the F5 band, column " << x;
    for (int y = 248; y <= 269; ++y) EXPECT_EQ(image.pixel(x, y), Band) << x << "," << y;
  }
  // The bands meet without overlapping: column 257 is the F3 band's last, 258 the F5 band's
  // first.
  EXPECT_EQ(image.pixel(105, 165), White);
  EXPECT_EQ(image.pixel(257, 165), Band);
  EXPECT_EQ(image.pixel(258, 165), White);
  EXPECT_EQ(image.pixel(257, 250), White);
  EXPECT_EQ(image.pixel(409, 250), Band);
  EXPECT_EQ(image.pixel(410, 250), White);
}

TEST(DiagramPixels, FiftyPercentLineIsRedFromMarginToMargin) {
  const QImage image = PaintedDiagram(461, 431, 100, 110, 30);
  // Drawn after the move and the F5 leg, which cross row 216, and before no label that
  // reaches it.
  EXPECT_EQ(CountColour(image, QRect(30, 216, 401, 1), Red), 401);
  EXPECT_NE(image.pixel(29, 216), Red);
  EXPECT_NE(image.pixel(431, 216), Red) << "the end pixel is excluded";
  EXPECT_EQ(CountColour(image, QRect(0, 215, 461, 1), Red), 0);
  EXPECT_EQ(CountColour(image, QRect(0, 217, 461, 1), Red), 0);
}

// The F3 label starts one pixel right of and below the end of the F3 leg, inside the band,
// and hides the band under its whole text cell.
TEST(DiagramPixels, LevelLabelHasAnOpaqueBackgroundOverTheBand) {
  const QImage image = PaintedDiagram(461, 431, 100, 110, 30);
  QFont bold = LabelFont();
  bold.setBold(true);
  const QFontMetrics metrics(bold, &image);
  const QRect cell(183, 173, metrics.horizontalAdvance("F3 = 106.1800"), metrics.height());
  const QRect bandPart = cell.intersected(QRect(106, 161, 152, 22));
  ASSERT_GT(bandPart.width() * bandPart.height(), 0);
  EXPECT_EQ(CountColour(image, bandPart, Band), 0);
  EXPECT_GT(CountColour(image, bandPart, White), 0);
  EXPECT_GT(CountColour(image, bandPart, qRgb(10, 20, 30)), 0) << "glyphs in clWindowText";
  EXPECT_EQ(image.pixel(182, 178), Band) << "left of the cell the band shows";
}

// A noise far beyond the field's range: the band covers the whole height of the area, the
// labels lie far outside it, and the paint finishes.
TEST(DiagramPixels, HugeNoiseFillsTheBandColumnsTopToBottom) {
  const QImage image = PaintedDiagram(461, 431, 100, 110, 99999999999.0L);
  EXPECT_EQ(image.pixel(130, 0), Band);
  EXPECT_EQ(image.pixel(130, 430), Band);
  EXPECT_EQ(image.pixel(380, 0), Band);
  EXPECT_EQ(image.pixel(380, 430), Band);
}

struct LineCase {
  const char* name;
  int x0, y0, x1, y1;
  double ratio = 1;  // device pixels per logical pixel
};

void PrintTo(const LineCase& c, std::ostream* out) { *out << c.name; }

class ReplayedLine : public ::testing::TestWithParam<LineCase> {};

// One device pixel per step along the longer side, within half a pixel of the true line, the
// start pixel painted and the end pixel not, in every direction and at every scale: a scaled
// line stays one device pixel wide between the device pixels of its end points.
TEST_P(ReplayedLine, PaintsOnePixelPerStepWithoutTheEndPixel) {
  const LineCase& c = GetParam();
  const QImage image = Replayed(
      40, 40,
      {CanvasOp::SetPenColor(255), CanvasOp::MoveTo(c.x0, c.y0), CanvasOp::LineTo(c.x1, c.y1)},
      LabelFont(), c.ratio);
  const auto device = [&c](int logical) {
    return static_cast<int>(std::lround(logical * c.ratio));
  };
  const int x0 = device(c.x0), y0 = device(c.y0), x1 = device(c.x1), y1 = device(c.y1);
  const int dx = x1 - x0;
  const int dy = y1 - y0;
  const int steps = std::max(std::abs(dx), std::abs(dy));
  EXPECT_EQ(image.pixel(x0, y0), Red);
  EXPECT_EQ(image.pixel(x1, y1), White);
  EXPECT_EQ(CountColour(image, image.rect(), Red), steps);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) != Red) continue;
      // Distance from the line through the end points, measured across the longer side.
      const double across = std::abs(double(x - x0) * dy - double(y - y0) * dx) / steps;
      EXPECT_LE(across, 0.5) << x << "," << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Directions, ReplayedLine,
    ::testing::Values(LineCase{"Right", 5, 10, 30, 10}, LineCase{"Left", 30, 10, 5, 10},
                      LineCase{"Down", 8, 3, 8, 33}, LineCase{"Up", 8, 33, 8, 3},
                      LineCase{"SteepUpRight", 5, 35, 12, 4},
                      LineCase{"SteepDownLeft", 20, 2, 11, 37},
                      LineCase{"ShallowDownRight", 2, 5, 37, 17},
                      LineCase{"ShallowUpLeft", 37, 17, 2, 5}, LineCase{"Diagonal", 3, 3, 36, 36},
                      LineCase{"AntiDiagonal", 36, 3, 3, 36},
                      LineCase{"RightAtTwice", 5, 10, 30, 10, 2},
                      LineCase{"SteepUpRightAtTwice", 5, 35, 12, 4, 2},
                      LineCase{"RightAtFiveQuarters", 5, 11, 30, 11, 1.25},
                      LineCase{"ShallowUpLeftAtFiveQuarters", 37, 17, 2, 5, 1.25},
                      LineCase{"DownAtThreeHalves", 7, 3, 7, 33, 1.5},
                      LineCase{"AntiDiagonalAtThreeHalves", 36, 3, 3, 36, 1.5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReplayedLine, FromAPointToItselfPaintsNothing) {
  const QImage image = Replayed(
      40, 40, {CanvasOp::SetPenColor(255), CanvasOp::MoveTo(7, 7), CanvasOp::LineTo(7, 7)});
  EXPECT_EQ(CountColour(image, image.rect(), Red), 0);
}

// End points far outside the area: the visible part is drawn, and quickly.
TEST(ReplayedLine, FarOutsideEndPointsDrawTheVisiblePart) {
  constexpr std::int32_t Far = std::numeric_limits<std::int32_t>::max();
  const QImage image = Replayed(
      40, 40, {CanvasOp::SetPenColor(255), CanvasOp::MoveTo(-Far, 20), CanvasOp::LineTo(Far, 20)});
  EXPECT_EQ(CountColour(image, QRect(0, 20, 40, 1), Red), 40);
  EXPECT_EQ(CountColour(image, image.rect(), Red), 40);
}

struct FillCase {
  const char* name;
  std::int32_t left, top, right, bottom;
  QRect painted;  // within the 40 x 40 area
};

void PrintTo(const FillCase& c, std::ostream* out) { *out << c.name; }

class ReplayedFill : public ::testing::TestWithParam<FillCase> {};

TEST_P(ReplayedFill, PaintsLeftToRightExclusiveAndTopToBottomExclusive) {
  const FillCase& c = GetParam();
  const QImage image = Replayed(
      40, 40,
      {CanvasOp::SetBrushColor(BandColor), CanvasOp::FillRect(c.left, c.top, c.right, c.bottom)});
  const int area = c.painted.isEmpty() ? 0 : c.painted.width() * c.painted.height();
  EXPECT_EQ(CountColour(image, image.rect(), Band), area);
  if (area > 0) {
    EXPECT_EQ(CountColour(image, c.painted, Band), area);
  }
}

constexpr std::int32_t Lowest = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t Highest = std::numeric_limits<std::int32_t>::max();

INSTANTIATE_TEST_SUITE_P(Rectangles, ReplayedFill,
                         ::testing::Values(FillCase{"Inside", 5, 6, 15, 9, QRect(5, 6, 10, 3)},
                                           FillCase{"OnePixel", 3, 4, 4, 5, QRect(3, 4, 1, 1)},
                                           FillCase{"ZeroWidth", 5, 6, 5, 9, QRect()},
                                           FillCase{"ZeroHeight", 5, 6, 15, 6, QRect()},
                                           FillCase{"RightBeforeLeft", 15, 6, 5, 9, QRect()},
                                           FillCase{"BottomAboveTop", 5, 9, 15, 6, QRect()},
                                           FillCase{"OverTheEdges", -5, -5, 3, 45,
                                                    QRect(0, 0, 3, 40)},
                                           FillCase{"WholeIntRange", Lowest, Lowest, Highest,
                                                    Highest, QRect(0, 0, 40, 40)}),
                         [](const auto& info) { return std::string(info.param.name); });

// The label's background is the current brush colour over everything beneath its cell, and
// the glyphs are in the palette's window-text colour.
TEST(ReplayedText, CellIsPaintedInTheBrushColour) {
  const std::vector<CanvasOp> ops = {
      CanvasOp::SetBrushColor(BandColor), CanvasOp::FillRect(0, 0, 120, 40),
      CanvasOp::SetBrushColor(clBtnFace), CanvasOp::TextOut(4, 6, "A = 100.0000")};
  const QImage image = Replayed(120, 40, ops);
  const QFontMetrics metrics(LabelFont(), &image);
  const QRect cell(4, 6, metrics.horizontalAdvance("A = 100.0000"), metrics.height());
  const int glyphs = CountColour(image, cell, qRgb(10, 20, 30));
  EXPECT_GT(glyphs, 0);
  EXPECT_EQ(CountColour(image, cell, qRgb(40, 50, 60)) + glyphs, cell.width() * cell.height());
  EXPECT_EQ(CountColour(image, image.rect(), Band), 120 * 40 - cell.width() * cell.height());
}

// A new style set replaces the old one: an italic area font loses its italic, and setting the
// empty set afterwards clears the bold. The cell width shows which font was used.
TEST(ReplayedText, FontStyleReplacesThePreviousSet) {
  QFont italic = LabelFont();
  italic.setItalic(true);
  QFont bold = LabelFont();
  bold.setBold(true);
  const QString text = "F5 = 103.8200";
  QImage image(300, 40, QImage::Format_RGB32);
  QPainter painter(&image);
  CanvasReplay canvas(painter, image.size(), italic, TestPalette(), clWhite, clWindowText);
  canvas.Perform(CanvasOp::SetFontStyle(fsBold));
  canvas.Perform(CanvasOp::TextOut(0, 0, text.toStdString()));
  EXPECT_EQ(canvas.Position().x(), QFontMetrics(bold, &image).horizontalAdvance(text));
  canvas.Perform(CanvasOp::SetFontStyle(0));
  canvas.Perform(CanvasOp::TextOut(0, 0, text.toStdString()));
  EXPECT_EQ(canvas.Position().x(), QFontMetrics(LabelFont(), &image).horizontalAdvance(text));
  EXPECT_NE(QFontMetrics(bold, &image).horizontalAdvance(text),
            QFontMetrics(LabelFont(), &image).horizontalAdvance(text));
}

}  // namespace
