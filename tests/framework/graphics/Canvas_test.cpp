#include "framework/graphics/Canvas.h"

#include <gtest/gtest.h>

#include <climits>

#include "framework/graphics/Bitmap.h"
#include "support/BitmapPicture.h"

namespace {

const std::map<TColor, char> kLegend = {{clBlack, '.'}, {clRed, 'R'}, {clBlue, 'B'}, {clWhite, 'W'}};

std::string Picture(const TBitmap& bitmap) { return BitmapPicture(bitmap, kLegend); }

// An 8x8 black bitmap whose canvas draws red outlines and blue insides.
struct CanvasTest : ::testing::Test {
  TBitmap bitmap{8, 8};
  TCanvas& canvas = bitmap.Canvas();

  void SetUp() override {
    canvas.Pen.Color = clRed;
    canvas.Brush.Color = clBlue;
  }
};

// A picture with every channel in use, to show that inverting operations restore it exactly.
void PaintPattern(TBitmap& bitmap) {
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x)
      bitmap.SetPixelAt(x, y, static_cast<TPixel>(x * 0x1F3D5B + y * 0x0B0A09) & 0xFFFFFFu);
}

std::vector<TPixel> Pixels(const TBitmap& bitmap) {
  std::vector<TPixel> pixels;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) pixels.push_back(bitmap.PixelAt(x, y));
  return pixels;
}

}  // namespace

// --- Rectangles: right and bottom edges excluded ---

TEST_F(CanvasTest, RectangleCoversLeftTopButNotRightBottom) {
  canvas.Rectangle(1, 1, 6, 5);
  EXPECT_EQ(Picture(bitmap),
            "........\n"
            ".RRRRR..\n"
            ".RBBBR..\n"
            ".RBBBR..\n"
            ".RRRRR..\n"
            "........\n"
            "........\n"
            "........\n");
}

TEST_F(CanvasTest, FillRectNormalisesSwappedCornersAndUsesBrushOnly) {
  canvas.FillRect({5, 3, 2, 1});
  EXPECT_EQ(Picture(bitmap),
            "........\n"
            "..BBB...\n"
            "..BBB...\n"
            "........\n"
            "........\n"
            "........\n"
            "........\n"
            "........\n");
}

TEST_F(CanvasTest, FrameRectDrawsOnePixelInBrushColour) {
  canvas.Pen.Width = 3;
  canvas.FrameRect({0, 0, 4, 3});
  EXPECT_EQ(Picture(bitmap).substr(0, 27),
            "BBBB....\n"
            "B..B....\n"
            "BBBB....\n");
}

TEST_F(CanvasTest, ClearBrushLeavesTheInsideAlone) {
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.Rectangle(0, 0, 3, 3);
  canvas.FillRect({4, 4, 8, 8});
  EXPECT_EQ(Picture(bitmap),
            "RRR.....\n"
            "R.R.....\n"
            "RRR.....\n"
            "........\n"
            "........\n"
            "........\n"
            "........\n"
            "........\n");
}

TEST_F(CanvasTest, WidePenRectangleIsCentredOnTheOutermostPixels) {
  canvas.Pen.Width = 3;
  canvas.Rectangle(2, 2, 7, 7);
  EXPECT_EQ(Picture(bitmap),
            "........\n"
            ".RRRRRRR\n"
            ".RRRRRRR\n"
            ".RRRRRRR\n"
            ".RRRBRRR\n"
            ".RRRRRRR\n"
            ".RRRRRRR\n"
            ".RRRRRRR\n");
}

// --- Lines ---

TEST_F(CanvasTest, ThinLineLeavesOutItsLastPixelAndMovesThePen) {
  canvas.MoveTo(1, 1);
  canvas.LineTo(6, 1);
  canvas.LineTo(6, 4);
  canvas.MoveTo(0, 7);
  canvas.LineTo(4, 3);
  EXPECT_EQ(Picture(bitmap),
            "........\n"
            ".RRRRRR.\n"
            "......R.\n"
            "......R.\n"
            "...R....\n"
            "..R.....\n"
            ".R......\n"
            "R.......\n");
  EXPECT_EQ(canvas.PenPos, (TPoint{4, 3}));
}

TEST_F(CanvasTest, LineOfLengthZeroDrawsNothing) {
  canvas.MoveTo(3, 3);
  canvas.LineTo(3, 3);
  EXPECT_EQ(InkBounds(bitmap, clBlack), TRect{});
}

TEST_F(CanvasTest, WidePenLineIsCentredAndKeepsBothEnds) {
  canvas.Pen.Width = 3;
  canvas.MoveTo(2, 4);
  canvas.LineTo(5, 4);
  EXPECT_EQ(InkBounds(bitmap, clBlack), (TRect{1, 3, 7, 6}));
  EXPECT_EQ(canvas.Pixel(5, 4), clRed);
}

TEST_F(CanvasTest, PolylineJoinsPointsAndLeavesOutOnlyTheLast) {
  canvas.Polyline({{0, 0}, {3, 0}, {3, 3}});
  EXPECT_EQ(Picture(bitmap).substr(0, 36),
            "RRRR....\n"
            "...R....\n"
            "...R....\n"
            "........\n");
}

TEST_F(CanvasTest, FarAwayEndpointsStillDrawTheVisiblePart) {
  canvas.Ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  canvas.Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  EXPECT_EQ(InkBounds(bitmap, clBlue), TRect{});
  canvas.MoveTo(INT_MIN, 2);
  canvas.LineTo(INT_MAX, 2);
  canvas.Pen.Width = 2;
  canvas.MoveTo(5, INT_MIN);
  canvas.LineTo(5, INT_MAX);
  EXPECT_EQ(canvas.Pixel(0, 2), clRed);
  EXPECT_EQ(canvas.Pixel(7, 2), clRed);
  EXPECT_EQ(canvas.Pixel(6, 7), clRed);
}

// --- Pen modes ---

TEST(CanvasPenModes, XorAndNotModesDrawnTwiceRestoreThePicture) {
  for (const TPenMode mode : {TPenMode::pmXor, TPenMode::pmNot, TPenMode::pmNotXor}) {
    TBitmap bitmap(8, 8);
    PaintPattern(bitmap);
    const std::vector<TPixel> before = Pixels(bitmap);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Pen = {clAqua, 1, mode};
    canvas.Brush.Style = TBrushStyle::bsClear;
    for (int pass = 0; pass < 2; ++pass) {
      canvas.MoveTo(0, 7);
      canvas.LineTo(7, 0);
      canvas.Rectangle(1, 1, 6, 6);
      canvas.Ellipse(0, 0, 8, 5);
      canvas.Polygon({{0, 0}, {7, 3}, {2, 7}});
      if (pass == 0) {
        EXPECT_NE(Pixels(bitmap), before);
      }
    }
    EXPECT_EQ(Pixels(bitmap), before);
  }
}

TEST(CanvasPenModes, ModesCombineWithThePenColour) {
  TBitmap bitmap(4, 1);
  for (int x = 0; x < 4; ++x) bitmap.SetPixelAt(x, 0, 0x123456);
  TCanvas& canvas = bitmap.Canvas();
  const TPenMode modes[] = {TPenMode::pmCopy, TPenMode::pmNot, TPenMode::pmXor, TPenMode::pmNotXor};
  for (int x = 0; x < 4; ++x) {
    canvas.Pen = {RGB(0xF0, 0x0F, 0xFF), 1, modes[x]};
    canvas.MoveTo(x, 0);
    canvas.LineTo(x + 1, 0);
  }
  EXPECT_EQ(bitmap.PixelAt(0, 0), 0xF00FFFu);
  EXPECT_EQ(bitmap.PixelAt(1, 0), 0xEDCBA9u);
  EXPECT_EQ(bitmap.PixelAt(2, 0), 0x123456u ^ 0xF00FFFu);
  EXPECT_EQ(bitmap.PixelAt(3, 0), (0x123456u ^ 0xF00FFFu) ^ 0xFFFFFFu);
}

// --- Filled shapes ---

TEST_F(CanvasTest, PolygonUsesTheAlternateFillRule) {
  TBitmap big(16, 16);
  TCanvas& c = big.Canvas();
  c.Pen.Color = clRed;
  c.Brush.Color = clBlue;
  // Two overlapping squares in one outline: their overlap is inside twice, hence outside.
  c.Polygon({{1, 1}, {9, 1}, {9, 9}, {1, 9}, {1, 1}, {5, 5}, {13, 5}, {13, 13}, {5, 13}, {5, 5}});
  EXPECT_EQ(c.Pixel(2, 6), clBlue);
  EXPECT_EQ(c.Pixel(11, 11), clBlue);
  EXPECT_EQ(c.Pixel(7, 7), clBlack);
  EXPECT_EQ(c.Pixel(1, 1), clRed);
  EXPECT_EQ(c.Pixel(13, 13), clRed);
}

// An outline that changes nothing (xor with black) leaves the fill alone to be seen: a pixel
// is filled when its centre lies inside, so the last row and column are those of the centres.
TEST_F(CanvasTest, PolygonFillCoversThePixelsWhoseCentresAreInside) {
  canvas.Pen = {clBlack, 1, TPenMode::pmXor};
  canvas.Polygon({{1, 1}, {5, 1}, {5, 4}, {1, 4}});
  canvas.Polygon({{0, 5}, {8, 5}, {0, 8}});
  EXPECT_EQ(Picture(bitmap),
            "........\n"
            ".BBBB...\n"
            ".BBBB...\n"
            ".BBBB...\n"
            "........\n"
            "BBBBBBB.\n"
            "BBBB....\n"
            "B.......\n");
}

TEST_F(CanvasTest, PolygonOutlineClosesTheShape) {
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.Polygon({{1, 1}, {5, 1}, {5, 4}, {1, 4}});
  EXPECT_EQ(Picture(bitmap),
            "........\n"
            ".RRRRR..\n"
            ".R...R..\n"
            ".R...R..\n"
            ".RRRRR..\n"
            "........\n"
            "........\n"
            "........\n");
}

TEST_F(CanvasTest, EllipseFitsItsBoxTouchingEverySide) {
  canvas.Ellipse(1, 0, 7, 8);
  EXPECT_EQ(InkBounds(bitmap, clBlack), (TRect{1, 0, 7, 8}));
  EXPECT_EQ(Picture(bitmap),
            "...RR...\n"
            "..RBBR..\n"
            ".RBBBBR.\n"
            ".RBBBBR.\n"
            ".RBBBBR.\n"
            ".RBBBBR.\n"
            "..RBBR..\n"
            "...RR...\n");
}

TEST_F(CanvasTest, TinyEllipsesStayInsideTheirBox) {
  canvas.Ellipse(0, 0, 1, 1);
  canvas.Ellipse(3, 3, 5, 4);
  canvas.Ellipse(6, 6, 6, 8);
  EXPECT_EQ(Picture(bitmap),
            "R.......\n"
            "........\n"
            "........\n"
            "...RR...\n"
            "........\n"
            "........\n"
            "........\n"
            "........\n");
}

// --- Bitmaps drawn with copy modes ---

struct CopyModeCase {
  std::uint32_t Mode;
  TPixel Expected;
};

TEST(CanvasCopyMode, CombinesSourceAndDestinationInEitherFormat) {
  const TPixel destination = 0x00800F0F, source = 0x00C000FF;
  for (const CopyModeCase& test :
       {CopyModeCase{SRCCOPY, source}, CopyModeCase{SRCPAINT, destination | source},
        CopyModeCase{SRCINVERT, destination ^ source}, CopyModeCase{SRCAND, destination & source}}) {
    for (const int destinationBits : {24, 32})
      for (const int sourceBits : {24, 32}) {
        TBitmap target(4, 4, destinationBits), picture(2, 2, sourceBits);
        for (int y = 0; y < 4; ++y)
          for (int x = 0; x < 4; ++x) target.SetPixelAt(x, y, destination);
        for (int y = 0; y < 2; ++y)
          for (int x = 0; x < 2; ++x) picture.SetPixelAt(x, y, source);
        target.Canvas().CopyMode = test.Mode;
        target.Canvas().Draw(1, 2, picture);
        EXPECT_EQ(target.PixelAt(1, 2), test.Expected) << std::hex << test.Mode << " " << destinationBits;
        EXPECT_EQ(target.PixelAt(2, 3), test.Expected);
        EXPECT_EQ(target.PixelAt(0, 2), destination);
        EXPECT_EQ(target.PixelAt(1, 1), destination);
        EXPECT_EQ(target.PixelAt(3, 3), destination);
      }
  }
}

TEST(CanvasCopyMode, DrawPartClipsToBothBitmaps) {
  TBitmap target(4, 4), picture(4, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) picture.SetPixelAt(x, y, static_cast<TPixel>(1 + x + 10 * y));
  target.Canvas().DrawPart(-1, 2, picture, {1, 1, 9, 3});
  EXPECT_EQ(target.PixelAt(0, 2), 13u);  // source (2, 1)
  EXPECT_EQ(target.PixelAt(1, 3), 24u);  // source (3, 2)
  EXPECT_EQ(target.PixelAt(2, 2), 0u);   // beyond the source's right edge
  EXPECT_EQ(target.PixelAt(0, 1), 0u);
}

TEST(CanvasCopyMode, DrawingABitmapOntoItselfCopiesTheOriginal) {
  TBitmap bitmap(4, 1);
  for (int x = 0; x < 4; ++x) bitmap.SetPixelAt(x, 0, static_cast<TPixel>(x + 1));
  bitmap.Canvas().Draw(1, 0, bitmap);
  EXPECT_EQ(Pixels(bitmap), (std::vector<TPixel>{1, 1, 2, 3}));
}

// --- Clipping, pixels, colours ---

TEST_F(CanvasTest, ClipRectLimitsEveryDrawingAndPtVisible) {
  canvas.SetClipRect({2, 2, 5, 4});
  canvas.FillRect({0, 0, 8, 8});
  canvas.SetPixel(0, 0, clWhite);
  canvas.MoveTo(0, 3);
  canvas.LineTo(8, 3);
  EXPECT_EQ(Picture(bitmap),
            "........\n"
            "........\n"
            "..BBB...\n"
            "..RRR...\n"
            "........\n"
            "........\n"
            "........\n"
            "........\n");
  EXPECT_TRUE(canvas.PtVisible(2, 2));
  EXPECT_FALSE(canvas.PtVisible(5, 2));
  EXPECT_FALSE(canvas.PtVisible(2, 4));
  canvas.ClearClipRect();
  EXPECT_TRUE(canvas.PtVisible(7, 7));
  EXPECT_FALSE(canvas.PtVisible(8, 7));
  EXPECT_FALSE(canvas.PtVisible(-1, 0));
}

TEST_F(CanvasTest, ClipRectBeyondTheBitmapIsCutToIt) {
  canvas.SetClipRect({-5, -5, 100, 100});
  EXPECT_FALSE(canvas.PtVisible(8, 0));
  canvas.FillRect({-10, -10, 20, 20});
  EXPECT_EQ(InkBounds(bitmap, clBlack), (TRect{0, 0, 8, 8}));
}

TEST_F(CanvasTest, PixelReadsColoursAndGivesBlackOutside) {
  canvas.SetPixel(2, 3, RGB(10, 20, 30));
  EXPECT_EQ(canvas.Pixel(2, 3), RGB(10, 20, 30));
  EXPECT_EQ(bitmap.PixelAt(2, 3), 0x0A141Eu);
  canvas.SetPixel(-1, 0, clWhite);
  EXPECT_EQ(canvas.Pixel(-1, 0), clBlack);
  EXPECT_EQ(canvas.Pixel(8, 8), clBlack);
}

TEST_F(CanvasTest, CanvasResolvesSystemColoursButADirectPixelWriteDoesNot) {
  canvas.SetPixel(0, 0, clBtnFace);
  canvas.Pen.Color = clBtnShadow;
  canvas.MoveTo(0, 1);
  canvas.LineTo(1, 1);
  bitmap.SetPixelAt(0, 2, static_cast<TPixel>(clBtnFace));
  EXPECT_EQ(bitmap.PixelAt(0, 0), 0xC0C0C0u);
  EXPECT_EQ(bitmap.PixelAt(0, 1), 0x808080u);
  EXPECT_EQ(bitmap.PixelAt(0, 2), static_cast<TPixel>(clBtnFace));
}

TEST_F(CanvasTest, EveryDrawingCallReportsTheChange) {
  int changes = 0;
  bitmap.OnChange = [&] { ++changes; };
  TBitmap picture(1, 1);
  canvas.LineTo(3, 3);
  canvas.Polyline({{0, 0}, {1, 1}});
  canvas.Rectangle(0, 0, 2, 2);
  canvas.FillRect({0, 0, 1, 1});
  canvas.FrameRect({0, 0, 2, 2});
  canvas.Ellipse(0, 0, 3, 3);
  canvas.Polygon({{0, 0}, {2, 0}, {0, 2}});
  canvas.SetPixel(1, 1, clRed);
  canvas.Draw(0, 0, picture);
  canvas.DrawPart(0, 0, picture, {0, 0, 1, 1});
  canvas.StretchDraw({0, 0, 2, 2}, picture);
  EXPECT_EQ(changes, 11);
  canvas.MoveTo(1, 1);
  canvas.Pixel(1, 1);
  EXPECT_EQ(changes, 11);
  bitmap.SetSize(9, 9);  // a new size, or a new picture, changes the picture too
  bitmap.Assign(picture);
  EXPECT_EQ(changes, 13);
}

TEST_F(CanvasTest, StretchDrawTakesThePixelUnderEachCentre) {
  TBitmap source(4, 1);
  const TColor colours[] = {clRed, clBlue, clWhite, clBlack};
  for (int x = 0; x < 4; ++x) source.SetPixelAt(x, 0, ColorToPixel(colours[x]));
  canvas.StretchDraw({1, 1, 3, 2}, source);  // halved: the second and the fourth
  canvas.StretchDraw({0, 3, 8, 4}, source);  // doubled
  canvas.CopyMode = SRCPAINT;
  canvas.StretchDraw({2, 5, 6, 7}, source);  // ORed into black: the same
  EXPECT_EQ(Picture(bitmap),
            "........\n"
            ".B......\n"
            "........\n"
            "RRBBWW..\n"
            "........\n"
            "..RBW...\n"
            "..RBW...\n"
            "........\n");
}

// The 24-bit path must draw exactly what the 32-bit one does.
TEST(CanvasFormats, TwentyFourBitBitmapsGetTheSamePicture) {
  TBitmap wide(13, 9, 32), narrow(13, 9, 24);
  for (TBitmap* bitmap : {&wide, &narrow}) {
    PaintPattern(*bitmap);
    TCanvas& canvas = bitmap->Canvas();
    canvas.Pen = {clYellow, 1, TPenMode::pmXor};
    canvas.Brush.Color = clBtnFace;
    canvas.Rectangle(1, 1, 12, 8);
    canvas.Ellipse(2, 0, 11, 9);
    canvas.Pen.Width = 2;
    canvas.Polygon({{0, 8}, {6, 0}, {12, 8}});
    canvas.SetPixel(0, 0, clWhite);
  }
  EXPECT_EQ(Pixels(wide), Pixels(narrow));
}
