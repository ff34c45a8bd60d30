#include "spin/spin_geometry.h"

#include <gtest/gtest.h>

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

TEST(RequiredEditHeight, FitsAnElevenPixelFontIntoTwentyTwoPixels) {
  // Character height 13, a larger system font, one-pixel borders.
  EXPECT_EQ(RequiredEditHeight(13, 16, 1), 22);
  // Only a quarter of the smaller font is added.
  EXPECT_EQ(RequiredEditHeight(20, 8, 1), 28);
}

}  // namespace
}  // namespace zentarix
