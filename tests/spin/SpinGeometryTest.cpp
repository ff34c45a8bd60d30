#include "spin/uSpinGeometry.h"

#include <gtest/gtest.h>

#include <string>

namespace zentarix {
namespace {

TEST(FocusFrameRect, SitsThreePixelsInside) {
  const QRect frame = FocusFrameRect(QSize(15, 9), false);
  EXPECT_EQ(frame.left(), 3);
  EXPECT_EQ(frame.right(), 11);
  EXPECT_EQ(frame.top(), 3);
  EXPECT_EQ(frame.bottom(), 5);
}

TEST(FocusFrameRect, MovesWithThePressedGlyph) {
  const QRect frame = FocusFrameRect(QSize(15, 9), true);
  EXPECT_EQ(frame.left(), 4);
  EXPECT_EQ(frame.right(), 12);
  EXPECT_EQ(frame.top(), 4);
  EXPECT_EQ(frame.bottom(), 6);
}

struct HeightCase {
  const char* Name;
  int Font, System, Border, Expected;
};

class RequiredEditHeightTest : public ::testing::TestWithParam<HeightCase> {};

TEST_P(RequiredEditHeightTest, AddsAQuarterOfTheSmallerFont) {
  const HeightCase& c = GetParam();
  EXPECT_EQ(RequiredEditHeight(c.Font, c.System, c.Border), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fonts, RequiredEditHeightTest,
    ::testing::Values(HeightCase{"ElevenPixelFont", 13, 16, 1, 22},
                      HeightCase{"SystemFontSmaller", 20, 8, 1, 28},
                      HeightCase{"QuarterTruncates", 15, 15, 1, 24},
                      HeightCase{"ThickBorder", 13, 13, 2, 26}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(SpinPairRect, FlatBorderCoversTheRightEdge) {
  EXPECT_EQ(SpinPairRect(QSize(93, 22), 15, false), QRect(78, 1, 15, 19));
}

TEST(SpinPairRect, SunkenBorderKeepsClearOfTheFrame) {
  EXPECT_EQ(SpinPairRect(QSize(121, 25), 15, true), QRect(101, 0, 15, 20));
}

}  // namespace
}  // namespace zentarix
