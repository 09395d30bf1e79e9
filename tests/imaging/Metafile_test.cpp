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

// The most separate runs of ink along one row of the box.
int MostInkRuns(const TBitmap& picture, int x1, int y1, int x2, int y2) {
  int most = 0;
  for (int y = y1; y < y2; ++y) {
    int runs = 0;
    for (int x = x1; x < x2; ++x) runs += picture.PixelAt(x, y) == Black && picture.PixelAt(x - 1, y) != Black;
    most = std::max(most, runs);
  }
  return most;
}

TEST_P(Metafile, WritesItsTextInItsFontsHeight) {
  const int ink = CountOf(Black, 150, 95, 200, 150);
  EXPECT_GT(ink, 100);
  EXPECT_EQ(CountOf(Black, 150, 0, 200, 90), 0);
  // The two stems of the H and the one of the i.
  EXPECT_EQ(MostInkRuns(Picture, 150, 95, 200, 150), 3);
}

// Cut between two records, its end record gone, a file is cut like any other, not a drawing
// with parts missing.
TEST_P(Metafile, ACutJustBeforeItsEndRecordIsReportedAsCut) {
  TBytes bytes = ReadBytes(Dir.File(std::string("drawing") + GetParam()));
  const std::size_t endRecordBytes = std::string(GetParam()) == ".emf" ? 20 : 6;
  bytes.resize(bytes.size() - endRecordBytes);
  const std::string cut = Dir.File(std::string("cut") + GetParam());
  WriteBytes(cut, bytes);
  TBitmap picture;
  try {
    TImageIO(nullptr).LoadFromFile(picture, cut);
    ADD_FAILURE() << "loaded";
  } catch (const EInvalidImage& e) {
    EXPECT_EQ(e.Message(), "Cannot read picture file " + cut + ": truncated file");
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, Metafile, ::testing::Values(".emf", ".wmf"));

class MetafileStrokes : public Metafile {
 protected:
  void SetUp() override {
    const std::string file = Dir.File(std::string("strokes") + GetParam());
    if (std::string(GetParam()) == ".emf") WriteTestStrokesEmf(file);
    else WriteTestStrokesWmf(file);
    TImageIO(nullptr).LoadFromFile(Picture, file);
  }
};

constexpr TPixel Magenta = 0xFF00FF, Orange = 0xFF8000;

TEST_P(MetafileStrokes, DrawsLinesArcsPolygonSetsBitmapsAndText) {
  ASSERT_EQ(Picture.Width(), 300);
  ASSERT_EQ(Picture.Height(), 200);
  // Lines and the polyline, three pixels wide.
  EXPECT_EQ(CountOf(Red, 20, 3, 280, 8), 260 * 3);
  EXPECT_EQ(At(150, 9), White);
  EXPECT_EQ(At(50, 20), Blue);
  EXPECT_EQ(At(100, 30), Blue);
  EXPECT_EQ(At(50, 30), White);
  // The pie's quarter above and right of its centre (40, 80), the chord's upper half, the
  // arc's upper right quarter around (180, 80).
  EXPECT_EQ(At(50, 70), Green);
  EXPECT_EQ(At(30, 70), White);
  EXPECT_EQ(At(50, 90), White);
  EXPECT_EQ(At(110, 65), Yellow);
  EXPECT_EQ(At(110, 95), White);
  EXPECT_EQ(At(201, 59), Black);
  EXPECT_EQ(At(159, 59), White);
  EXPECT_EQ(At(180, 80), White);
  // The polygon set, the brushes of a reused slot and of a restored state.
  EXPECT_EQ(At(20, 140), Red);
  EXPECT_EQ(At(35, 140), White);
  EXPECT_EQ(At(50, 140), Red);
  EXPECT_EQ(At(100, 150), Orange);
  EXPECT_EQ(At(170, 150), Magenta);
  // The bitmap stretched, and at its own size.
  EXPECT_EQ(At(230, 140), Red);
  EXPECT_EQ(At(250, 140), Green);
  EXPECT_EQ(At(230, 160), Blue);
  EXPECT_EQ(At(250, 160), Yellow);
  EXPECT_EQ(At(270, 130), Red);
  EXPECT_EQ(At(271, 131), Yellow);
  EXPECT_EQ(At(272, 132), White);
  // The text, below its anchor.
  EXPECT_GT(CountOf(Black, 230, 60, 300, 90), 40);
  EXPECT_EQ(CountOf(Black, 220, 40, 300, 58), 0);
}

INSTANTIATE_TEST_SUITE_P(Formats, MetafileStrokes, ::testing::Values(".emf", ".wmf"));

// Metric and English map modes count millimetres and inches, with y growing upwards.
TEST(MetafilePicture, MetricAndEnglishMapModesMeasureTheirUnits) {
  struct TMode {
    int Mode;
    double UnitsPerInch;
  };
  for (const TMode mode : {TMode{2, 254}, TMode{3, 2540}, TMode{4, 100}, TMode{5, 1000}, TMode{6, 1440}}) {
    TBitmap picture(200, 200);
    TMetafilePlayer player(picture);
    player.SetMapMode(mode.Mode);
    player.SelectStock(4);
    player.SelectStock(8);
    // An inch across and half an inch down: 96 x 48 pixels.
    player.Rectangle({0, 0}, {mode.UnitsPerInch, -mode.UnitsPerInch / 2});
    EXPECT_EQ(picture.PixelAt(94, 46), Black) << mode.Mode;
    EXPECT_EQ(picture.PixelAt(98, 20), White) << mode.Mode;
    EXPECT_EQ(picture.PixelAt(20, 50), White) << mode.Mode;
  }
}

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
