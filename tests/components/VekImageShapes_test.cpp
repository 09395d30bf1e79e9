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

// The bevel as the plain loop draws it: every ring, its edges crossed or not.
void ReferenceRect3D(TCanvas& c, TRect box, TColor face, int width, bool raised) {
  c.Brush.Color = face;
  c.FillRect(box);
  c.Pen.Width = 1;
  int l = box.Left, t = box.Top, r = box.Right - 1, b = box.Bottom - 1;
  for (int i = 0; i < width; ++i, ++l, ++t, --r, --b) {
    c.Pen.Color = raised ? clBtnHighlight : clBtnShadow;
    c.MoveTo(l, b);
    c.LineTo(l, t);
    c.LineTo(r, t);
    c.Pen.Color = raised ? clBtnShadow : clBtnHighlight;
    c.LineTo(r, b);
    c.LineTo(l - 1, b);
  }
}

TEST_F(VekImageShapes, BevelsWiderThanHalfTheirBoxDrawTheirCrossedRingsToo) {
  SizeTo(6, 6);
  TVekImage reference{nullptr};
  reference.SetHeightWidth(6, 6);
  for (const TRect box :
       {TRect{0, 0, 6, 6}, TRect{-3, 2, 9, 5}, TRect{4, 5, 1, 1}, TRect{-20, -20, 6, 30}, TRect{-20, -20, 30, 6}})
    for (int width = 1; width <= 10; ++width) {
      Image.Fill(clBlack);
      reference.Fill(clBlack);
      Image.Rect3D(box, kFace, width, width % 2 == 0);
      ReferenceRect3D(reference.Canvas(), box, kFace, width, width % 2 == 0);
      ASSERT_EQ(Bevels(), BitmapPicture(reference.Picture().Bitmap(),
                                        {{clBlack, '.'}, {clWhite, 'H'}, {RGB(128, 128, 128), 'S'}, {kFace, 'c'}}))
          << width;
      EXPECT_EQ(Canvas().Pen.Color, reference.Canvas().Pen.Color);
    }
  // Rings past the sixth stay off a 6 x 6 picture, and a huge width takes no longer than they.
  Image.Fill3D(kFace, 8, true);
  const std::string eight = Bevels();
  EXPECT_NE(eight, "");
  Image.Fill(clBlack);
  Image.Fill3D(kFace, INT_MAX, true);
  EXPECT_EQ(Bevels(), eight);
  Image.Rect3D(INT_MIN, INT_MIN, INT_MAX, INT_MAX, kFace, INT_MAX, false);
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

TEST_F(VekImageShapes, NoStepsOrABoxUnderTwoPixelsDrawNothing) {
  SizeTo(20, 20);
  Image.Ball3D(0, 0, 20, 20, kOuter, kInner, false, 0);
  Image.Ball3D(0, 0, 20, 20, kOuter, kInner, true, -5);
  Image.Ball3D(4, 4, 5, 20, kOuter, kInner, true);  // one pixel wide: no rings
  EXPECT_EQ(InkBounds(Bitmap(), clBlack), TRect{});
}

// The ball as the plain loop draws it: every ring, also past the first empty one.
void ReferenceBall3D(TCanvas& c, int x1, int y1, int x2, int y2, bool highlight, int steps) {
  for (int i = 0; i < steps; ++i) {
    const long long inset = x2 == x1 ? 0 : 1LL * i * (y2 - y1) / (x2 - x1);
    const int drift = highlight ? i / 3 : 0;
    c.Pen.Color = BlendColor(kOuter, kInner, i, steps);
    c.Brush.Color = c.Pen.Color;
    c.Ellipse(x1 + i + drift, int(y1 + inset - drift), x2 - i + drift, int(y2 - inset - drift));
  }
}

TEST_F(VekImageShapes, BallsDrawEveryRingThePlainLoopDraws) {
  struct TBall {
    int X1, Y1, X2, Y2;
    bool Highlight;
    int Steps;
  };
  const TBall balls[] = {
      {0, 0, 10, 10, false, 8},            // rings past the first empty one grow again
      {2, 3, 38, 37, true, 18},            //
      {3, 2, 40, 20, true, 60},            //
      {5, 0, 5, 20, true, 7},              // no width: the rings only widen
      {30, 30, 10, 10, false, 12},         // corners swapped
      {-500, -500, 600, 600, false, 550},  // the first rings cover the picture
      {-500, -400, 600, 700, true, 550},   //
      {0, 0, 10, 10, false, 400},          // the last ring covers the picture
      {0, 0, 12, 12, true, 300},           //
      {10, 10, 30, 14, false, 500},        // flat: its rings cross the picture for long
      {10, 10, 30, 20, true, 100},
      {39, 10, 60, 30, false, 3},  // only the rim reaches the picture
      {-20, 10, 1, 30, false, 3},
  };
  SizeTo(40, 40);
  TVekImage reference{nullptr};
  reference.SetHeightWidth(40, 40);
  for (const TBall& b : balls) {
    Image.Fill(clBlack);
    reference.Fill(clBlack);
    Image.Ball3D(b.X1, b.Y1, b.X2, b.Y2, kOuter, kInner, b.Highlight, b.Steps);
    ReferenceBall3D(reference.Canvas(), b.X1, b.Y1, b.X2, b.Y2, b.Highlight, b.Steps);
    int differences = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x) differences += Canvas().Pixel(x, y) != reference.Canvas().Pixel(x, y);
    EXPECT_EQ(differences, 0) << b.X1 << "," << b.Y1 << " " << b.Steps;
    EXPECT_EQ(Canvas().Brush.Color, reference.Canvas().Brush.Color);
  }
}

TEST_F(VekImageShapes, AbsurdRingCountsAndBoxesFinishAtOnce) {
  SizeTo(40, 40);
  Image.Ball3D(0, 0, 10, 10, kOuter, kInner, false, INT_MAX);
  // The last ring, far larger than the picture, is all that shows.
  EXPECT_EQ(InkBounds(Bitmap(), BlendColor(kOuter, kInner, INT_MAX - 1, INT_MAX)), TRect{});
  Image.Ball3D(INT_MIN, INT_MIN, INT_MAX, INT_MAX, kOuter, kInner, true);
  Image.Ball3D(10, 10, 30, 14, kOuter, kInner, true, INT_MAX);
}

}  // namespace
