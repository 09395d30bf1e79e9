#include <gtest/gtest.h>

#include "appkit/GradientFill.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "support/BitmapPicture.h"

namespace {

constexpr TColor kStart = RGB(0, 100, 255), kEnd = RGB(252, 37, 0);
constexpr TColor kMarker = RGB(1, 2, 3);

class GradientFill : public ::testing::Test {
 protected:
  TBitmap Bitmap{140, 20};
  void SetUp() override { FillBitmap(Bitmap, kMarker); }
  TColor At(int x, int y) const { return PixelToColor(Bitmap.PixelAt(x, y)); }
  void Fill(const TRect& r, TFillDirection direction, int count = 64, TColor start = kStart, TColor end = kEnd) {
    GradientFillRect(Bitmap.Canvas(), r, start, end, direction, count);
  }
  // The colours of row y from x1 to x2 - 1, or of column x from y1 to y2 - 1.
  std::vector<TColor> Row(int y, int x1, int x2) const {
    std::vector<TColor> colours;
    for (int x = x1; x < x2; ++x) colours.push_back(At(x, y));
    return colours;
  }
  std::vector<TColor> Column(int x, int y1, int y2) const {
    std::vector<TColor> colours;
    for (int y = y1; y < y2; ++y) colours.push_back(At(x, y));
    return colours;
  }
};

TEST_F(GradientFill, SixtyFourBandsOfTwoPixelsFillA128PixelRectangleExactly) {
  const TRect r{5, 2, 133, 12};
  Fill(r, TFillDirection::fdLeftToRight);
  EXPECT_EQ(InkBounds(Bitmap, kMarker), r);
  // Band i has start + i * (end - start) / 63 in each channel, halves away from zero.
  EXPECT_EQ(Row(2, 5, 9), (std::vector<TColor>{kStart, kStart, RGB(4, 99, 251), RGB(4, 99, 251)}));
  EXPECT_EQ(At(5 + 2 * 32, 7), RGB(128, 68, 125));
  EXPECT_EQ(Row(11, 131, 133), (std::vector<TColor>{kEnd, kEnd}));
  EXPECT_EQ(Column(5, 2, 12), std::vector<TColor>(10, kStart));
}

TEST_F(GradientFill, TheColumnsLeftOverAtTheFarEndTakeTheFarEndsColour) {
  Fill({0, 0, 130, 1}, TFillDirection::fdLeftToRight);
  EXPECT_EQ(Row(0, 124, 130), (std::vector<TColor>{RGB(248, 38, 4), RGB(248, 38, 4), kEnd, kEnd, kEnd, kEnd}));
  Fill({0, 0, 130, 1}, TFillDirection::fdRightToLeft);
  // From the left: end first, start last, and the strip in start's colour.
  EXPECT_EQ(Row(0, 0, 2), (std::vector<TColor>{kEnd, kEnd}));
  EXPECT_EQ(Row(0, 126, 130), std::vector<TColor>(4, kStart));
}

TEST_F(GradientFill, VerticalBandsRunFromTheTopAndBottomToTopPutsStartAtTheBottom) {
  Fill({0, 0, 1, 4}, TFillDirection::fdTopToBottom, 4, RGB(0, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(Column(0, 0, 4), (std::vector<TColor>{RGB(0, 0, 0), RGB(85, 0, 0), RGB(170, 0, 0), RGB(255, 0, 0)}));
  Fill({0, 0, 1, 4}, TFillDirection::fdBottomToTop, 4, RGB(0, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(Column(0, 0, 4), (std::vector<TColor>{RGB(255, 0, 0), RGB(170, 0, 0), RGB(85, 0, 0), RGB(0, 0, 0)}));
}

TEST_F(GradientFill, BandColoursRoundHalvesAwayFromZero) {
  Fill({0, 0, 3, 1}, TFillDirection::fdLeftToRight, 3, RGB(0, 10, 0), RGB(1, 9, 0));
  EXPECT_EQ(Row(0, 0, 3), (std::vector<TColor>{RGB(0, 10, 0), RGB(1, 9, 0), RGB(1, 9, 0)}));
}

TEST_F(GradientFill, AOnePixelHighRectangleIsAllFarEnd) {
  Fill({3, 5, 50, 6}, TFillDirection::fdTopToBottom);
  EXPECT_EQ(Row(5, 3, 50), std::vector<TColor>(47, kEnd));
  Fill({3, 5, 50, 6}, TFillDirection::fdBottomToTop);
  EXPECT_EQ(Row(5, 3, 50), std::vector<TColor>(47, kStart));
  EXPECT_EQ(InkBounds(Bitmap, kMarker), (TRect{3, 5, 50, 6}));
}

TEST_F(GradientFill, SystemColoursAreResolvedAndFewerThanTwoBandsAreSolidStart) {
  Fill({0, 0, 2, 1}, TFillDirection::fdLeftToRight, 2, clBtnFace, clBtnShadow);
  EXPECT_EQ(Row(0, 0, 2), (std::vector<TColor>{RGB(192, 192, 192), RGB(128, 128, 128)}));
  Fill({0, 5, 10, 7}, TFillDirection::fdLeftToRight, 1);
  EXPECT_EQ(Row(6, 0, 10), std::vector<TColor>(10, kStart));
  EXPECT_EQ(InkBounds(Bitmap, kMarker, {0, 2, 140, 20}), (TRect{0, 5, 10, 7}));
}

TEST_F(GradientFill, AnEmptyOrHugeRectangleDrawsNothingOutsideItself) {
  Fill({10, 10, 10, 20}, TFillDirection::fdLeftToRight);
  Fill({10, 10, 20, 5}, TFillDirection::fdTopToBottom);
  EXPECT_EQ(InkBounds(Bitmap, kMarker), TRect{});
  Fill({INT_MIN, 0, INT_MAX, 20}, TFillDirection::fdLeftToRight);
  EXPECT_EQ(InkBounds(Bitmap, kMarker), (TRect{0, 0, 140, 20}));
}

}  // namespace
