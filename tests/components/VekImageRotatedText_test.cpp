#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "components/VekImage.h"
#include "framework/graphics/Canvas.h"
#include "support/BitmapPicture.h"

namespace {

class VekImageRotatedText : public ::testing::Test {
 protected:
  VekImageRotatedText() {
    Image.SetHeightWidth(100, 100);
    Image.Canvas().Font.Color = clWhite;
    Image.Canvas().BkMode = TBkMode::Transparent;
  }
  // The picture that text at an angle leaves on a black bitmap.
  std::string Rotated(double angle, int x = 50, int y = 50) {
    Image.Fill(clBlack);
    Image.TextOutRot(x, y, angle, "Quen");
    return BitmapPicture(Image.Picture().Bitmap(), {{clBlack, '.'}, {clWhite, '#'}});
  }
  std::string Axial(int r, double angle) {
    Image.Fill(clBlack);
    Image.TextOutAxial(50, 50, r, angle, "Quen");
    return BitmapPicture(Image.Picture().Bitmap(), {{clBlack, '.'}, {clWhite, '#'}});
  }
  int Escapement() { return Image.Canvas().Font.Escapement; }

  TVekImage Image{nullptr};
};

TEST_F(VekImageRotatedText, AnglesCountModulo360) {
  const std::string at90 = Rotated(90), at270 = Rotated(270);
  EXPECT_NE(at90, at270);
  EXPECT_EQ(Rotated(-90), at270);
  EXPECT_EQ(Escapement(), 2700);
  EXPECT_EQ(Rotated(450), at90);
  EXPECT_EQ(Escapement(), 900);
  EXPECT_EQ(Rotated(-360), Rotated(0));
}

TEST_F(VekImageRotatedText, AHugeAngleKeepsItsRemainderAndANonNumberCountsAsZero) {
  Rotated(-1e20);  // exactly -100000000000000000000, which leaves 80 after whole turns
  EXPECT_EQ(Escapement(), 800);
  const std::string upright = Rotated(0);
  EXPECT_EQ(Rotated(std::numeric_limits<double>::quiet_NaN()), upright);
  EXPECT_EQ(Escapement(), 0);
  EXPECT_EQ(Rotated(-std::numeric_limits<double>::infinity()), upright);
}

TEST_F(VekImageRotatedText, AnAnchorOffTheBitmapDrawsNothingButTurnsTheFont) {
  EXPECT_EQ(InkBounds(Image.Picture().Bitmap(), clBlack), TRect{});
  for (const TPoint anchor : {TPoint{-1, 50}, TPoint{50, 100}, TPoint{100, 0}}) {
    Rotated(90, anchor.X, anchor.Y);
    EXPECT_EQ(InkBounds(Image.Picture().Bitmap(), clBlack), TRect{});
    EXPECT_EQ(Escapement(), 900);
  }
}

TEST_F(VekImageRotatedText, TextHangsFromItsTopLeftCornerWhateverTheCanvasAlignment) {
  const std::string topLeft = Rotated(0);
  Image.Canvas().TextAlign = TA_CENTER | TA_BASELINE;
  EXPECT_EQ(Rotated(0), topLeft);
  EXPECT_EQ(Image.Canvas().TextAlign, TA_CENTER | TA_BASELINE);
  const TSize extent = Image.Canvas().TextExtent("Quen");
  const TRect ink = InkBounds(Image.Picture().Bitmap(), clBlack);
  EXPECT_EQ(ink.Intersect(Bounds(50, 50, extent.cx, extent.cy)), ink);
}

TEST_F(VekImageRotatedText, AxialTextRunsAlongTheCircleReadingClockwise) {
  EXPECT_EQ(Axial(30, 0), Rotated(270, 80, 50));   // east: reading downwards
  EXPECT_EQ(Axial(30, 90), Rotated(0, 50, 20));    // north: upright
  EXPECT_EQ(Axial(30, 180), Rotated(90, 20, 50));  // west: reading upwards
  Image.Fill(clBlack);
  Image.TextOutAxial(50, 50, 40, 20, 270, "Quen");  // an ellipse: south uses the vertical radius
  const std::string south = BitmapPicture(Image.Picture().Bitmap(), {{clBlack, '.'}, {clWhite, '#'}});
  EXPECT_EQ(south, Rotated(180, 50, 70));
}

}  // namespace
