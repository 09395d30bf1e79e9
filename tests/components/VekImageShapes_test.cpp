#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "components/VekImage.h"
#include "framework/graphics/Canvas.h"
#include "support/BitmapPicture.h"
#include "vekutils/Vekutils.h"

namespace {

constexpr TColor kFace = RGB(0, 200, 0);

class VekImageShapes : public ::testing::Test {
 protected:
  void SizeTo(int width, int height) { Image.SetHeightWidth(height, width); }
  TBitmap& Bitmap() { return Image.Picture().Bitmap(); }
  TCanvas& Canvas() { return Image.Canvas(); }
  // The smallest rectangle holding every pixel of one colour.
  TRect BoundsOf(TColor colour) {
    TRect r{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = 0; y < Bitmap().Height(); ++y)
      for (int x = 0; x < Bitmap().Width(); ++x)
        if (Canvas().Pixel(x, y) == colour)
          r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1), std::max(r.Bottom, y + 1)};
    return r;
  }
  std::string Bevels() {
    return BitmapPicture(Bitmap(), {{clBlack, '.'}, {clWhite, 'H'}, {RGB(128, 128, 128), 'S'}, {kFace, 'c'}});
  }

  TVekImage Image{nullptr};
};

TEST_F(VekImageShapes, FillCoversTheControlAndKeepsTheColour) {
  SizeTo(5, 4);
  Canvas().Pen.Width = 3;
  Image.Fill(kFace);
  EXPECT_EQ(InkBounds(Bitmap(), kFace), TRect{});  // nothing else left
  EXPECT_EQ(Canvas().Pen.Color, kFace);
  EXPECT_EQ(Canvas().Brush.Color, kFace);
}

TEST_F(VekImageShapes, BevelsOfWidthTwo) {
  SizeTo(8, 7);
  Image.Rect3D(1, 1, 7, 6, kFace, 2, true);
  EXPECT_EQ(Bevels(),
            "........\n"
            ".HHHHHS.\n"
            ".HHHHSS.\n"
            ".HHccSS.\n"
            ".HSSSSS.\n"
            ".SSSSSS.\n"
            "........\n");
  Image.Rect3D(TRect{1, 1, 7, 6}, kFace, 2, false);
  EXPECT_EQ(Bevels(),
            "........\n"
            ".SSSSSH.\n"
            ".SSSSHH.\n"
            ".SSccHH.\n"
            ".SHHHHH.\n"
            ".HHHHHH.\n"
            "........\n");
}

TEST_F(VekImageShapes, ABevelLeavesAOnePixelPenInItsLastColour) {
  SizeTo(6, 6);
  Canvas().Pen.Width = 4;
  Image.Fill3D(kFace, 1, true);
  EXPECT_EQ(Canvas().Pen.Width, 1);
  EXPECT_EQ(Canvas().Pen.Color, clBtnShadow);
  EXPECT_EQ(Canvas().Brush.Color, kFace);
  Image.Fill3D(kFace, 1, false);
  EXPECT_EQ(Canvas().Pen.Color, clBtnHighlight);
}

TEST_F(VekImageShapes, ABevelWiderThanItsBoxStopsWhenTheBoxIsUsedUp) {
  SizeTo(6, 6);
  Image.Fill3D(kFace, 3, true);
  const std::string threeRings = Bevels();
  Image.Fill(clBlack);
  Image.Fill3D(kFace, INT_MAX, true);
  EXPECT_EQ(Bevels(), threeRings);
}

TEST_F(VekImageShapes, EllipsesFitTheBoxAroundTheirCentre) {
  SizeTo(30, 30);
  Canvas().Brush.Color = kFace;
  Canvas().Pen.Color = kFace;
  Image.Ellipse(10, 12, 3);
  EXPECT_EQ(InkBounds(Bitmap(), clBlack), (TRect{7, 9, 13, 15}));
  Image.Ellipse(10, 12, 5, 2);
  EXPECT_EQ(InkBounds(Bitmap(), clBlack), (TRect{5, 9, 15, 15}));
  Image.Ellipse(INT_MAX, INT_MIN, INT_MAX);  // far away: nothing, and no overflow
  EXPECT_EQ(InkBounds(Bitmap(), clBlack), (TRect{5, 9, 15, 15}));
}

// --- Shaded balls ---

constexpr TColor kOuter = RGB(200, 0, 100);
constexpr TColor kInner = RGB(0, 250, 0);

TEST_F(VekImageShapes, ABallOfAHundredPixelsHasFiftyRingsFromOuterToTheLastBlend) {
  SizeTo(100, 100);
  Image.Ball3D(0, 0, 100, 100, kOuter, kInner, false);
  // Each ring starts one pixel further in on the middle row.
  for (int i = 0; i < 50; ++i) EXPECT_EQ(Canvas().Pixel(i, 50), BlendColor(kOuter, kInner, i, 50)) << i;
  EXPECT_EQ(Canvas().Pixel(0, 50), kOuter);
  EXPECT_EQ(Canvas().Pixel(50, 50), BlendColor(kOuter, kInner, 49, 50));
  EXPECT_EQ(Canvas().Pen.Color, BlendColor(kOuter, kInner, 49, 50));
  EXPECT_EQ(Canvas().Brush.Color, BlendColor(kOuter, kInner, 49, 50));
}

TEST_F(VekImageShapes, TheHighlightMovesTheRingsRightAndUpByAThirdOfTheStep) {
  SizeTo(12, 12);
  const TColor last = BlendColor(kOuter, kInner, 5, 6);
  Image.Ball3D(0, 0, 12, 12, kOuter, kInner, false);
  EXPECT_EQ(BoundsOf(last), (TRect{5, 5, 7, 7}));
  Image.Fill(clBlack);
  Image.Ball3D(0, 0, 12, 12, kOuter, kInner, true);
  EXPECT_EQ(BoundsOf(last), (TRect{6, 4, 8, 6}));
}

TEST_F(VekImageShapes, NoStepsOrATooNarrowBoxDrawNothing) {
  SizeTo(20, 20);
  Image.Ball3D(0, 0, 20, 20, kOuter, kInner, false, 0);
  Image.Ball3D(0, 0, 20, 20, kOuter, kInner, true, -5);
  Image.Ball3D(4, 4, 5, 20, kOuter, kInner, true);     // one pixel wide: no rings
  Image.Ball3D(5, 0, 5, 20, kOuter, kInner, true, 7);  // zero width: no inset, no fault
  EXPECT_EQ(InkBounds(Bitmap(), clBlack), TRect{});
}

TEST_F(VekImageShapes, MoreStepsThanTheBoxHoldsStopAtTheFirstEmptyRing) {
  SizeTo(10, 10);
  Image.Ball3D(0, 0, 10, 10, kOuter, kInner, false, 8);
  EXPECT_EQ(Canvas().Pixel(4, 4), BlendColor(kOuter, kInner, 4, 8));
  EXPECT_EQ(Canvas().Pixel(5, 5), BlendColor(kOuter, kInner, 4, 8));
  Image.Ball3D(0, 0, 10, 10, kOuter, kInner, false, INT_MAX);  // finishes at once
  EXPECT_EQ(Canvas().Pixel(5, 5), BlendColor(kOuter, kInner, 4, INT_MAX));
}

}  // namespace
