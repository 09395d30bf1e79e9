#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>
#include <memory>

#include "components/VekImage.h"
#include "framework/graphics/Canvas.h"
#include "support/BitmapPicture.h"
#include "testkit/AllocationCount.h"

namespace {

// A picture that differs from pixel to pixel, the same wherever it is drawn from.
TPixel Pattern(int x, int y) { return static_cast<TPixel>((x * 37 + y * 101) * 0x010203u) & 0x7F7F7Fu; }

std::unique_ptr<TVekImage> PatternedImage(int width, int height, int patternX = 0, int patternY = 0) {
  auto image = std::make_unique<TVekImage>(nullptr);
  image->SetHeightWidth(height, width);
  image->PixelOpen();
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image->Picture().Bitmap().SetPixelAt(x, y, Pattern(x + patternX, y + patternY));
  return image;
}

bool SameBytes(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    if (std::memcmp(a.Row(y), b.Row(y), static_cast<std::size_t>(a.Width()) * 4) != 0) return false;
  return true;
}

using TDraw = std::function<void(TVekImage&, int x, int y)>;

// Drawing at (x, y) on a small image whose corner lies at `corner` of a large one, so that
// the box hangs over its top-left edge, gives the pixels the large one shows there.
void ExpectClippedAsWhole(const TDraw& draw, int x, int y) {
  const TPoint corner{9 - x, 7 - y};  // the whole box starts at (9, 7) of the large image
  auto whole = PatternedImage(80, 60);
  draw(*whole, corner.X + x, corner.Y + y);
  auto clipped = PatternedImage(12, 10, corner.X, corner.Y);
  draw(*clipped, x, y);
  for (int row = 0; row < 10; ++row)
    for (int column = 0; column < 12; ++column)
      ASSERT_EQ(clipped->Picture().Bitmap().PixelAt(column, row),
                whole->Picture().Bitmap().PixelAt(corner.X + column, corner.Y + row))
          << column << "," << row;
}

TEST(VekImageCombining, BlackChangesNothing) {
  auto image = PatternedImage(6, 4);
  auto before = PatternedImage(6, 4);
  image->Canvas().CopyMode = SRCAND;
  image->FillTrans(clBlack);
  image->RectTrans(0, 0, 6, 4, clBlack);
  image->EllipseTrans(0, 0, 6, 4, clBlack);
  EXPECT_TRUE(SameBytes(image->Picture().Bitmap(), before->Picture().Bitmap()));
  EXPECT_EQ(image->Canvas().CopyMode, SRCAND);
}

TEST(VekImageCombining, FillTransOrsItsColourIntoEveryPixel) {
  TVekImage image(nullptr);
  image.SetHeightWidth(3, 3);
  image.Canvas().Brush.Color = RGB(0x80, 0x12, 0x34);
  image.Canvas().FillRect({0, 0, 3, 3});
  image.FillTrans(RGB(0xFF, 0, 0));
  EXPECT_EQ(InkBounds(image.Picture().Bitmap(), RGB(0xFF, 0x12, 0x34)), TRect{});
  EXPECT_EQ(image.Canvas().CopyMode, SRCCOPY);
}

TEST(VekImageCombining, ABoxWithANegativeSideIsIgnored) {
  auto image = PatternedImage(30, 30);
  auto before = PatternedImage(30, 30);
  image->RectTrans(10, 10, 5, 20, clWhite);
  image->RectTrans(10, 10, 20, 5, clWhite);
  image->EllipseTrans(10, 10, 5, 20, clWhite);
  image->RectTrans(INT_MAX, 0, INT_MIN, 5, clWhite);  // a width beyond 32 bits is still negative
  EXPECT_TRUE(SameBytes(image->Picture().Bitmap(), before->Picture().Bitmap()));
}

TEST(VekImageCombining, RectTransOrsItsBoxOnly) {
  TVekImage image(nullptr);
  image.SetHeightWidth(4, 6);
  image.Fill(RGB(0, 0, 0x80));
  image.RectTrans(1, 1, 4, 3, RGB(0xFF, 0, 0));
  EXPECT_EQ(BitmapPicture(image.Picture().Bitmap(), {{RGB(0, 0, 0x80), '.'}, {RGB(0xFF, 0, 0x80), '#'}}),
            "......\n"
            ".###..\n"
            ".###..\n"
            "......\n");
}

TEST(VekImageCombining, EllipseTransCombinesTheInteriorButNotTheOutline) {
  TVekImage image(nullptr), reference(nullptr);
  image.SetHeightWidth(9, 12);
  reference.SetHeightWidth(9, 12);
  image.EllipseTrans(1, 1, 11, 8, clWhite);
  reference.Canvas().Pen.Color = clRed;
  reference.Canvas().Brush.Color = clWhite;
  reference.Canvas().Ellipse(1, 1, 11, 8);
  const std::map<TColor, char> legend{{clBlack, '.'}, {clRed, '.'}, {clWhite, '#'}};
  EXPECT_EQ(BitmapPicture(image.Picture().Bitmap(), legend), BitmapPicture(reference.Picture().Bitmap(), legend));
  EXPECT_EQ(image.Canvas().Pixel(6, 4), clWhite);
  EXPECT_EQ(image.Canvas().Pixel(1, 4), clBlack);  // on the outline
}

TEST(VekImageCombining, BoxesHangingOverTheEdgeGiveThePixelsOfTheWholeBox) {
  ExpectClippedAsWhole([](TVekImage& image, int x, int y) { image.RectTrans(x, y, x + 20, y + 15, clAqua); }, -8, -6);
  ExpectClippedAsWhole([](TVekImage& image, int x, int y) { image.EllipseTrans(x, y, x + 21, y + 15, clAqua); }, -7,
                       -5);
  ExpectClippedAsWhole([](TVekImage& image, int x, int y) { image.TextOutInv(x, y, "Quenbrel"); }, -6, -4);
}

TEST(VekImageCombining, AHugeBoxColoursTheWholeBitmapAtOnce) {
  TVekImage image(nullptr);
  image.SetHeightWidth(20, 30);
  image.RectTrans(-2000000000, -2000000000, 2000000000, 2000000000, RGB(0, 0x40, 0));
  EXPECT_EQ(InkBounds(image.Picture().Bitmap(), RGB(0, 0x40, 0)), TRect{});
  image.EllipseTrans(INT_MIN, INT_MIN, INT_MAX, INT_MAX, RGB(0x40, 0, 0));
  EXPECT_EQ(InkBounds(image.Picture().Bitmap(), RGB(0x40, 0x40, 0)), TRect{});
}

// --- Inverted text ---

TEST(VekImageCombining, InvertedTextInvertsItsGlyphsAndTwiceRestoresThePicture) {
  auto image = PatternedImage(70, 24);
  auto before = PatternedImage(70, 24);
  image->TextOutInv(3, 4, "Quenbrel");
  const TBitmap& drawn = image->Picture().Bitmap();
  int inverted = 0;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 70; ++x) {
      const TPixel was = before->Picture().Bitmap().PixelAt(x, y);
      if (drawn.PixelAt(x, y) == was) continue;
      ++inverted;
      ASSERT_EQ(drawn.PixelAt(x, y), was ^ 0xFFFFFFu);
    }
  EXPECT_GT(inverted, 30);
  EXPECT_EQ(image->Canvas().CopyMode, SRCCOPY);
  image->TextOutInv(3, 4, "Quenbrel");
  EXPECT_TRUE(SameBytes(drawn, before->Picture().Bitmap()));
}

TEST(VekImageCombining, InvertedTextTakesNeitherTheRotationNorTheColourOfTheCanvasFont) {
  auto upright = PatternedImage(70, 70);
  upright->TextOutInv(5, 30, "Quenbrel");
  auto turned = PatternedImage(70, 70);
  turned->Canvas().Font.Escapement = 900;
  turned->Canvas().Font.Color = clRed;
  turned->TextOutInv(5, 30, "Quenbrel");
  EXPECT_TRUE(SameBytes(turned->Picture().Bitmap(), upright->Picture().Bitmap()));
  EXPECT_EQ(turned->Canvas().Font.Escapement, 900);
}

TEST(VekImageCombining, ScratchDrawingAllocatesNothingOnceTheScratchPictureIsLargeEnough) {
  TVekImage image(nullptr);
  image.SetHeightWidth(30, 120);
  const auto drawAll = [&] {
    image.RectTrans(0, 0, 100, 20, RGB(0x40, 0, 0));
    image.TextOutInv(30, 3, "50 %");
    image.EllipseTrans(5, 5, 60, 25, RGB(0, 0x40, 0));
    image.FillTrans(RGB(0, 0, 0x40));
  };
  drawAll();
  const long before = AllocationCount();
  for (int i = 0; i < 10; ++i) drawAll();
  EXPECT_EQ(AllocationCount() - before, 0);
}

}  // namespace
