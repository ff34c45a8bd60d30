#include "spin/glyph.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <string>
#include <vector>

#include "spin/spin_button.h"
#include "spin/timer_speed_button.h"
#include "tests/support/row_printer.h"

namespace zentarix {
namespace {

using zentarix::test::PrintTo;

const QRgb Olive = qRgb(128, 128, 0);
const QRgb Black = qRgb(0, 0, 0);

// Black pixels per row, top to bottom.
std::vector<int> BlackPerRow(const QImage& image) {
  std::vector<int> counts;
  for (int y = 0; y < image.height(); ++y) {
    int n = 0;
    for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == Black ? 1 : 0;
    counts.push_back(n);
  }
  return counts;
}

struct DefaultGlyphCase {
  const char* name;
  bool Up;
  std::vector<int> Rows;
};

class DefaultGlyph : public ::testing::TestWithParam<DefaultGlyphCase> {};

TEST_P(DefaultGlyph, IsASixteenColourArrowOnOlive) {
  TSpinButton pair;
  const QImage glyph = (GetParam().Up ? pair.UpGlyph() : pair.DownGlyph()).toImage();
  ASSERT_EQ(glyph.size(), QSize(9, 6));
  EXPECT_EQ(BlackPerRow(glyph), GetParam().Rows);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 9; ++x) {
      const QRgb pixel = glyph.pixel(x, y);
      EXPECT_TRUE(pixel == Olive || pixel == Black) << x << "," << y;
    }
  }
  // Every black row is centred on the fifth column.
  for (int y = 1; y < 5; ++y) EXPECT_EQ(glyph.pixel(4, y), Black) << y;
  EXPECT_EQ(glyph.pixel(0, 5), Olive);
}

TEST_P(DefaultGlyph, IsStoredWithTheSixteenColourPalette) {
  TSpinButton pair;  // registers the resources
  const QImage stored(GetParam().Up ? ":/spin/SPINUP.bmp" : ":/spin/SPINDOWN.bmp");
  ASSERT_FALSE(stored.isNull());
  EXPECT_EQ(stored.colorCount(), 16);
  EXPECT_EQ(stored.colorTable().at(3), Olive);
}

INSTANTIATE_TEST_SUITE_P(Arrows, DefaultGlyph,
                         ::testing::Values(DefaultGlyphCase{"Up", true, {0, 1, 3, 5, 7, 0}},
                                           DefaultGlyphCase{"Down", false, {0, 7, 5, 3, 1, 0}}),
                         [](const auto& info) { return std::string(info.param.name); });

// A strip of four 3 x 2 images, each filled with its own colour except the bottom-left pixel
// of the strip, which gives the transparent colour.
QImage FourImageStrip() {
  QImage strip(12, 2, QImage::Format_RGB32);
  const QRgb fills[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(9, 9, 9)};
  for (int i = 0; i < 4; ++i) {
    for (int x = 0; x < 3; ++x) {
      for (int y = 0; y < 2; ++y) strip.setPixel(i * 3 + x, y, fills[i]);
    }
  }
  strip.setPixel(0, 1, Olive);
  strip.setPixel(7, 0, Olive);  // the key colour inside the third image
  return strip;
}

TEST(CutGlyphImage, PicksTheImageOfTheState) {
  const QImage strip = FourImageStrip();
  EXPECT_EQ(CutGlyphImage(strip, 4, GlyphImage::Up).pixel(1, 1), qRgb(255, 0, 0));
  EXPECT_EQ(CutGlyphImage(strip, 4, GlyphImage::Disabled).pixel(1, 1), qRgb(0, 255, 0));
  EXPECT_EQ(CutGlyphImage(strip, 4, GlyphImage::Down).pixel(1, 1), qRgb(0, 0, 255));
  EXPECT_EQ(CutGlyphImage(strip, 4, GlyphImage::Latched).size(), QSize(3, 2));
}

TEST(CutGlyphImage, ClearsTheBottomLeftColourInEveryImage) {
  const QImage strip = FourImageStrip();
  EXPECT_EQ(qAlpha(CutGlyphImage(strip, 4, GlyphImage::Up).pixel(0, 1)), 0);
  EXPECT_EQ(qAlpha(CutGlyphImage(strip, 4, GlyphImage::Down).pixel(1, 0)), 0);
  EXPECT_EQ(qAlpha(CutGlyphImage(strip, 4, GlyphImage::Down).pixel(0, 0)), 255);
}

TEST(InkedGlyph, PaintsOnlyTheOpaqueBlackInTheInk) {
  QImage glyph(3, 1, QImage::Format_ARGB32);
  glyph.setPixel(0, 0, qRgb(0, 0, 0));
  glyph.setPixel(1, 0, qRgba(0, 0, 0, 0));
  glyph.setPixel(2, 0, qRgb(0, 0, 1));
  const QImage inked = InkedGlyph(glyph, QColor(239, 240, 241));
  EXPECT_EQ(inked.pixel(0, 0), qRgb(239, 240, 241));
  EXPECT_EQ(inked.pixel(1, 0), qRgba(0, 0, 0, 0));
  EXPECT_EQ(inked.pixel(2, 0), qRgb(0, 0, 1));
}

TEST(CutGlyphImage, MissingImagesAreNull) {
  const QImage strip = FourImageStrip();
  EXPECT_TRUE(CutGlyphImage(strip, 2, GlyphImage::Down).isNull());
  EXPECT_EQ(CutGlyphImage(strip, 1, GlyphImage::Up).size(), QSize(12, 2));
  EXPECT_TRUE(CutGlyphImage(QImage(), 1, GlyphImage::Up).isNull());
}

TEST(GlyphProperties, AnEmptyGlyphRestoresTheDefaultArrow) {
  TSpinButton pair;
  const QImage original = pair.UpGlyph().toImage();
  QPixmap custom(20, 6);
  custom.fill(Qt::red);
  pair.setUpGlyph(custom);
  pair.setUpNumGlyphs(2);
  EXPECT_EQ(pair.UpGlyph().size(), QSize(20, 6));
  EXPECT_EQ(pair.UpNumGlyphs(), 2);
  EXPECT_EQ(pair.DownGlyph().size(), QSize(9, 6));

  pair.setUpGlyph(QPixmap());
  EXPECT_EQ(pair.UpGlyph().toImage(), original);
  EXPECT_EQ(pair.UpNumGlyphs(), 1);
}

TEST(GlyphProperties, AreReachableByName) {
  TSpinButton pair;
  EXPECT_TRUE(pair.setProperty("DownNumGlyphs", 3));
  EXPECT_EQ(pair.DownArrow()->NumGlyphs(), 3);
  EXPECT_EQ(pair.property("UpGlyph").value<QPixmap>().size(), QSize(9, 6));
}

}  // namespace
}  // namespace zentarix
