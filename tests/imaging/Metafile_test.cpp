#include <gtest/gtest.h>

#include "ImagingFixture.h"
#include "MetafileWriter.h"
#include "framework/graphics/Canvas.h"
#include "imaging/ImageIO.h"
#include "imaging/MetafilePlayer.h"
#include "support/TempDir.h"

namespace {

class Metafile : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    const std::string file = Dir.File(std::string("drawing") + GetParam());
    if (std::string(GetParam()) == ".emf") WriteTestEmf(file);
    else WriteTestWmf(file);
    TImageIO(nullptr).LoadFromFile(Picture, file);
  }
  TPixel At(int x, int y) const { return Picture.PixelAt(x, y); }
  int CountOf(TPixel pixel, int x1, int y1, int x2, int y2) const {
    int count = 0;
    for (int y = y1; y < y2; ++y)
      for (int x = x1; x < x2; ++x) count += At(x, y) == pixel;
    return count;
  }

  TTempDir Dir;
  TBitmap Picture;
};

constexpr TPixel White = 0xFFFFFF, Red = 0xFF0000, Green = 0x00FF00, Blue = 0x0000FF, Yellow = 0xFFFF00, Black = 0;

TEST_P(Metafile, TakesItsSizeFromItsFrameAt96PixelsPerInch) {
  EXPECT_EQ(Picture.Width(), 200);
  EXPECT_EQ(Picture.Height(), 150);
  EXPECT_EQ(Picture.PixelBits(), 24);
}

TEST_P(Metafile, DrawsItsShapesWhereTheMappingPutsThem) {
  EXPECT_EQ(At(0, 0), White);
  EXPECT_EQ(At(35, 30), Red);
  EXPECT_EQ(At(12, 12), Red);
  EXPECT_EQ(At(62, 30), White);
  EXPECT_EQ(At(110, 35), Blue);
  EXPECT_EQ(At(82, 12), White);  // inside the ellipse's box, outside the ellipse
  EXPECT_EQ(At(35, 95), Green);
  EXPECT_EQ(At(12, 125), White);
}

TEST_P(Metafile, StretchesItsBitmapOverTheRectangle) {
  EXPECT_EQ(At(90, 90), Red);
  EXPECT_EQ(At(110, 90), Green);
  EXPECT_EQ(At(90, 110), Blue);
  EXPECT_EQ(At(110, 110), Yellow);
  EXPECT_EQ(At(78, 78), White);
}

TEST_P(Metafile, WritesItsTextInItsFontsHeight) {
  const int ink = CountOf(Black, 150, 95, 200, 150);
  EXPECT_GT(ink, 100);
  EXPECT_EQ(CountOf(Black, 150, 0, 200, 90), 0);
}

INSTANTIATE_TEST_SUITE_P(Formats, Metafile, ::testing::Values(".emf", ".wmf"));

// The work a file may ask for is bounded: far more fills than any drawing needs are refused.
TEST(MetafileBudget, AFileThatDrawsWithoutEndIsRefused) {
  TTempDir dir;
  WriteFloodEmf(dir.File("flood.emf"), 20000);
  TBitmap picture;
  try {
    TImageIO(nullptr).LoadFromFile(picture, dir.File("flood.emf"));
    ADD_FAILURE() << "loaded";
  } catch (const EInvalidImage& e) {
    EXPECT_NE(e.Message().find("draws more than any picture needs"), std::string::npos) << e.Message();
  }
  // A few hundred full-picture fills are ordinary.
  WriteFloodEmf(dir.File("layers.emf"), 200);
  TImageIO(nullptr).LoadFromFile(picture, dir.File("layers.emf"));
  EXPECT_EQ(picture.Width(), 300);
}

// A square of 100 logical units in a viewport twice as wide as high stays square.
TEST(MetafilePicture, AnIsotropicMappingScalesBothAxesAlike) {
  TBitmap picture(200, 100);
  picture.Canvas().Brush.Color = clWhite;
  picture.Canvas().FillRect(Bounds(0, 0, 200, 100));
  TMetafilePlayer player(picture);
  player.SetMapMode(7);
  player.SetWindowExt(100, -100);
  player.SetViewportExt(200, 100);
  player.SetViewportOrg(0, 100);
  player.SelectStock(4);  // black brush
  player.SelectStock(8);  // no outline
  player.Rectangle({0, 0}, {100, 100});
  EXPECT_EQ(picture.PixelAt(50, 50), Black);
  EXPECT_EQ(picture.PixelAt(150, 50), White);
  player.SetMapMode(8);
  player.Rectangle({0, 0}, {100, 100});
  EXPECT_EQ(picture.PixelAt(150, 50), Black);
}

TEST(MetafilePicture, IsWhiteWhereNothingIsDrawn) {
  TTempDir dir;
  WriteTestEmf(dir.File("a.emf"));
  TBitmap picture;
  TImageIO(nullptr).LoadFromFile(picture, dir.File("a.emf"));
  EXPECT_EQ(picture.PixelAt(199, 0), White);
}

}  // namespace
