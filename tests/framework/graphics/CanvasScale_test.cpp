#include <gtest/gtest.h>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/GlyphImages.h"
#include "framework/graphics/PixelArt.h"
#include "support/BitmapPicture.h"

namespace {

TRect DeviceInk(const TBitmap& bitmap) { return InkBounds(bitmap, clWhite); }

// A white bitmap whose canvas draws at `factor` device pixels per logical one.
struct ScaledCanvas {
  TBitmap bitmap;
  TCanvas& canvas;
  ScaledCanvas(int width, int height, double factor) : bitmap(width, height), canvas(bitmap.Canvas()) {
    FillBitmap(bitmap, clWhite);
    canvas.SetScale(TDeviceScale(factor));
    canvas.Brush.Color = clBlack;
    canvas.Pen.Color = clBlack;
  }
  void Clear() { FillBitmap(bitmap, clWhite); }
};

// Aligned 2x2 blocks of the device that hold ink and paper both: none when a picture was
// drawn at the logical size and then magnified.
int MixedBlocks(const TBitmap& bitmap) {
  int mixed = 0;
  for (int y = 0; y + 1 < bitmap.Height(); y += 2)
    for (int x = 0; x + 1 < bitmap.Width(); x += 2) {
      const int ink = (bitmap.PixelAt(x, y) == 0) + (bitmap.PixelAt(x + 1, y) == 0) + (bitmap.PixelAt(x, y + 1) == 0) +
                      (bitmap.PixelAt(x + 1, y + 1) == 0);
      mixed += ink != 0 && ink != 4;
    }
  return mixed;
}

}  // namespace

TEST(DeviceScale, MapsEveryCoordinateToItselfAtOneAndKeepsNeighboursTogetherAtFractions) {
  const TDeviceScale one;
  EXPECT_EQ(one.Rect({-3, 5, 7, 1000}), (TRect{-3, 5, 7, 1000}));
  EXPECT_EQ(one.Logical({-3, 5, 7, 1000}), (TRect{-3, 5, 7, 1000}));
  const TDeviceScale half(1.5);
  EXPECT_EQ(half.Rect({0, 1, 2, 3}), (TRect{0, 2, 3, 5}));
  for (int origin = -7; origin < 13; ++origin)
    for (int width = 0; width < 9; ++width) {
      // A control painted on its own ends where its right-hand neighbour begins.
      EXPECT_EQ(half.X(origin) + half.Moved({origin, 0}).X(width), half.X(origin + width)) << origin << " " << width;
      const TRect logical{origin, 0, origin + width + 1, 3};
      EXPECT_EQ(half.Logical(half.Rect(logical)), logical);
    }
  // One device pixel lies in one logical pixel; a device area reaches every pixel it touches.
  EXPECT_EQ(half.Logical({4, 4, 5, 5}), (TRect{2, 2, 3, 3}));
  EXPECT_EQ(half.Logical({1, 1, 4, 4}), (TRect{0, 0, 3, 3}));
  EXPECT_EQ(TDeviceScale(2).Length(1), 2);
  EXPECT_EQ(TDeviceScale(1.25).Length(1), 1);
  EXPECT_EQ(half.LogicalLength(542), 361);
  // Far beyond any window the answer is bounded, and comes.
  EXPECT_GE(half.Logical({0, 0, 2'000'000'000, 1}).Right, 1 << 28);
}

TEST(CanvasScale, ShapesCoverTheDevicePixelsUnderTheirLogicalOnes) {
  ScaledCanvas s(24, 24, 2);
  s.canvas.FillRect({1, 1, 3, 2});
  EXPECT_EQ(DeviceInk(s.bitmap), (TRect{2, 2, 6, 4}));
  s.Clear();
  s.canvas.MoveTo(1, 5);
  s.canvas.LineTo(4, 5);  // the last pixel left out, at every scale
  EXPECT_EQ(DeviceInk(s.bitmap), (TRect{2, 10, 8, 12}));
  s.Clear();
  s.canvas.Brush.Style = TBrushStyle::bsClear;
  s.canvas.Rectangle(1, 1, 5, 5);
  EXPECT_EQ(DeviceInk(s.bitmap), (TRect{2, 2, 10, 10}));
  EXPECT_EQ(s.canvas.Pixel(1, 1), clBlack);
  EXPECT_EQ(s.bitmap.PixelAt(3, 3), 0u);  // the outline two device pixels wide
  EXPECT_EQ(s.bitmap.PixelAt(4, 4), 0xFFFFFFu);
  s.Clear();
  s.canvas.SetPixel(9, 9, clBlack);
  EXPECT_EQ(DeviceInk(s.bitmap), (TRect{18, 18, 20, 20}));
  // The clip is logical, and so is what PtVisible answers.
  s.Clear();
  s.canvas.SetClipRect({0, 0, 2, 2});
  EXPECT_TRUE(s.canvas.PtVisible(1, 1));
  EXPECT_FALSE(s.canvas.PtVisible(2, 1));
  s.canvas.Brush.Style = TBrushStyle::bsSolid;
  s.canvas.FillRect({0, 0, 12, 12});
  EXPECT_EQ(DeviceInk(s.bitmap), (TRect{0, 0, 4, 4}));
  // An inverting pen writes each device pixel once: drawn twice, it leaves nothing.
  s.Clear();
  s.canvas.ClearClipRect();
  s.canvas.Pen.Mode = TPenMode::pmNot;
  for (int pass = 0; pass < 2; ++pass) s.canvas.Polyline({{1, 1}, {7, 4}, {2, 9}});
  EXPECT_TRUE(DeviceInk(s.bitmap).IsEmpty());
}

TEST(CanvasScale, TextIsRasterisedAtTheDeviceSizeAndMeasuredAtTheLogicalOne) {
  ScaledCanvas plain(60, 24, 1), twice(120, 48, 2);
  for (ScaledCanvas* s : {&plain, &twice}) {
    s->canvas.Font.Color = clBlack;
    s->canvas.BkMode = TBkMode::Transparent;
    s->canvas.TextOut(2, 2, "Quenbrel");
  }
  EXPECT_EQ(twice.canvas.TextExtent("Quenbrel"), plain.canvas.TextExtent("Quenbrel"));
  const TRect small = DeviceInk(plain.bitmap), large = DeviceInk(twice.bitmap);
  ASSERT_FALSE(small.IsEmpty());
  EXPECT_NEAR(large.Height(), 2 * small.Height(), 2);
  EXPECT_NEAR(large.Width(), 2 * small.Width(), 4);
  EXPECT_NEAR(large.Top, 2 * small.Top, 2);
  // Magnified text is made of 2x2 blocks; text drawn at the larger size has finer edges.
  EXPECT_GT(MixedBlocks(twice.bitmap), 10);
}

TEST(CanvasScale, PicturesKeepTheirPixelsAndAreGrownWholeOrBlended) {
  TBitmap picture(2, 1);
  picture.SetPixelAt(0, 0, 0x000000);
  picture.SetPixelAt(1, 0, 0xFFFFFF);
  ScaledCanvas twice(6, 4, 2);
  twice.canvas.Draw(1, 0, picture);
  EXPECT_EQ(BitmapPicture(twice.bitmap, {{clBlack, 'X'}, {clWhite, '.'}}), "..XX..\n..XX..\n......\n......\n");
  // At a fractional scale the picture is blended, not cut into uneven columns...
  ScaledCanvas half(3, 2, 1.5);
  half.canvas.Draw(0, 0, picture);
  const TPixel middle = half.bitmap.PixelAt(1, 0);
  EXPECT_EQ(half.bitmap.PixelAt(0, 0), 0u);
  EXPECT_EQ(half.bitmap.PixelAt(2, 0), 0xFFFFFFu);
  EXPECT_GT(middle & 0xFF, 0x40u);
  EXPECT_LT(middle & 0xFF, 0xC0u);
  // ...except where a raster operation combines it: that takes whole pixels.
  half.Clear();
  half.canvas.CopyMode = SRCAND;
  half.canvas.Draw(0, 0, picture);
  EXPECT_TRUE(half.bitmap.PixelAt(1, 0) == 0 || half.bitmap.PixelAt(1, 0) == 0xFFFFFFu);
  // A bitmap drawn onto itself is blended from what it held before.
  half.Clear();
  half.canvas.CopyMode = SRCCOPY;
  half.bitmap.SetPixelAt(0, 0, 0);
  half.canvas.Draw(0, 0, half.bitmap);
  EXPECT_GT(half.bitmap.PixelAt(1, 0) & 0xFF, 0x40u);
  EXPECT_LT(half.bitmap.PixelAt(1, 0) & 0xFF, 0xC0u);
}

TEST(CanvasScale, ButtonGlyphsAreDoubledAsPixelArtAndKeepTheirTransparency) {
  // A black diagonal on a transparent (red) ground.
  const std::unique_ptr<TBitmap> art = BitmapFromArt({"X..", ".X.", "..X"}, {{'X', clBlack}, {'.', clRed}});
  TGlyphImages glyph;
  glyph.Assign(*art);
  ScaledCanvas twice(6, 6, 2);
  FillBitmap(twice.bitmap, clBlue);
  glyph.Draw(twice.canvas, 0, 0, true);
  // Between its ends the diagonal runs in steps of one device pixel, not of blocks of four;
  // the ground stays what it was.
  EXPECT_EQ(BitmapPicture(twice.bitmap, {{clBlack, 'X'}, {clBlue, '.'}}),
            "XX....\n"
            "X.X...\n"
            ".XXX..\n"
            "..XXX.\n"
            "...X.X\n"
            "....XX\n");
}
