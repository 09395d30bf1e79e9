#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <numbers>

#include "components/VekImage.h"
#include "framework/graphics/Canvas.h"
#include "imaging/ImageIO.h"
#include "imaging/ImageProc.h"
#include "support/TempDir.h"

namespace {

// Every pixel a different colour, so that any misplaced pixel shows.
void FillNumbered(TBitmap& bitmap) {
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x)
      bitmap.SetPixelAt(x, y, static_cast<TPixel>((y * 1031 + x * 7) & 0xFFFFFF));
}

class VekImageFiles : public ::testing::Test {
 protected:
  VekImageFiles() {
    TBitmap picture(640, 480, 24);
    FillNumbered(picture);
    TImageIO(nullptr).SaveToFile(picture, Dir.File("numbered.png"));
  }
  TBitmap& Bits() { return Image.Picture().Bitmap(); }

  TTempDir Dir;
  TVekImage Image{nullptr};
};

TEST_F(VekImageFiles, LoadTakesThePicturesSizeAt24BitsAndKeepsTheCanvas) {
  Image.Canvas().Pen.Color = clRed;
  Image.LoadFromFile(Dir.File("numbered.png"));
  EXPECT_EQ(Image.Width(), 640);
  EXPECT_EQ(Image.Height(), 480);
  EXPECT_EQ(Bits().PixelBits(), 24);
  EXPECT_EQ(Bits().PixelAt(5, 7), static_cast<TPixel>(7 * 1031 + 5 * 7));
  EXPECT_EQ(Image.Canvas().Pen.Color, clRed);
}

TEST_F(VekImageFiles, RowsFetchedBeforeALoadAreNotWrittenAfterIt) {
  Image.SetHeightWidth(480, 640);
  Image.PixelOpen();
  Image.PixelRowSet(3);
  Image.LoadFromFile(Dir.File("numbered.png"));
  Image.PixelSet(4, clWhite);
  EXPECT_EQ(Bits().PixelAt(4, 3), static_cast<TPixel>(3 * 1031 + 4 * 7));
}

// A loaded or turned picture has 24-bit rows: a row fetched from it must take pixel words all
// the way to its last column, on the last row too.
TEST_F(VekImageFiles, ARowFetchedAfterALoadOrATurnTakesPixelWords) {
  TBitmap odd(301, 200, 24);
  FillNumbered(odd);
  TImageIO(nullptr).SaveToFile(odd, Dir.File("odd.png"));
  Image.LoadFromFile(Dir.File("odd.png"));
  Image.PixelRowSet(199);
  Image.PixelSet(300, clWhite);
  EXPECT_EQ(Bits().PixelBits(), 32);
  EXPECT_EQ(Bits().PixelAt(300, 199), 0xFFFFFFu);
  EXPECT_EQ(Bits().PixelAt(299, 199), static_cast<TPixel>(199 * 1031 + 299 * 7));
  Image.Rotate(90);
  Image.PixelRowSet(300);
  Image.PixelSet(199, clRed);
  EXPECT_EQ(Bits().PixelAt(199, 300), ColorToPixel(clRed));
  EXPECT_EQ(Bits().PixelAt(198, 300), odd.PixelAt(0, 198));
}

TEST_F(VekImageFiles, AFailedLoadKeepsPictureAndSize) {
  Image.SetHeightWidth(20, 30);
  Image.PixelOpen();
  Image.PixelSet(2, 2, clBlue);
  EXPECT_THROW(Image.LoadFromFile(Dir.File("missing.jpg")), EFOpenError);
  const std::string text = "not a picture";
  std::FILE* f = std::fopen(Dir.File("bad.tif").c_str(), "wb");
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
  EXPECT_THROW(Image.LoadFromFile(Dir.File("bad.tif")), EInvalidImage);
  EXPECT_EQ(Image.Width(), 30);
  EXPECT_EQ(Image.Height(), 20);
  EXPECT_EQ(Bits().PixelAt(2, 2), ColorToPixel(clBlue));
}

TEST_F(VekImageFiles, ProgressRunsFromStartingToEndingWhetherTheLoadWorksOrNot) {
  std::vector<std::pair<TProgressStage, int>> seen;
  Image.OnProgress = [&](TComponent* sender, TProgressStage stage, int percent) {
    EXPECT_EQ(sender, &Image);
    seen.emplace_back(stage, percent);
  };
  Image.LoadFromFile(Dir.File("numbered.png"));
  ASSERT_GT(seen.size(), 10u);
  EXPECT_EQ(seen.front(), std::make_pair(TProgressStage::psStarting, 0));
  EXPECT_EQ(seen[1].first, TProgressStage::psRunning);
  EXPECT_EQ(seen.back(), std::make_pair(TProgressStage::psEnding, 100));
  seen.clear();
  EXPECT_THROW(Image.LoadFromFile(Dir.File("missing.png")), EFOpenError);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen.back().first, TProgressStage::psEnding);
}

TEST_F(VekImageFiles, SaveWritesTheBitmap) {
  Image.LoadFromFile(Dir.File("numbered.png"));
  Image.SaveToFile(Dir.File("copy.pcx"));
  TVekImage copy(nullptr);
  copy.LoadFromFile(Dir.File("copy.pcx"));
  EXPECT_EQ(copy.Picture().Bitmap().PixelAt(639, 479), Bits().PixelAt(639, 479));
}

TEST_F(VekImageFiles, QuarterTurnsAreExactPermutationsAndLeaveTheControlsSize) {
  Image.LoadFromFile(Dir.File("numbered.png"));
  TBitmap original(640, 480, 24);
  FillNumbered(original);
  Image.Rotate(90);
  ASSERT_EQ(Bits().Width(), 480);
  ASSERT_EQ(Bits().Height(), 640);
  EXPECT_EQ(Bits().PixelBits(), 24);
  EXPECT_EQ(Image.Width(), 640);
  EXPECT_EQ(Image.Height(), 480);
  // Counter-clockwise: the top row becomes the left column, read upwards.
  bool exact = true;
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) exact = exact && Bits().PixelAt(y, 639 - x) == original.PixelAt(x, y);
  EXPECT_TRUE(exact);
  Image.Rotate(-90);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) exact = exact && Bits().PixelAt(x, y) == original.PixelAt(x, y);
  EXPECT_TRUE(exact);
}

TEST_F(VekImageFiles, AnglesAreTakenModulo360InEitherSign) {
  Image.LoadFromFile(Dir.File("numbered.png"));
  TBitmap turned;
  Image.Rotate(360 * 5 + 180);
  turned.Assign(Bits());
  Image.Rotate(-180);
  EXPECT_EQ(Bits().PixelAt(0, 0), static_cast<TPixel>(0));
  Image.Rotate(-540);
  EXPECT_EQ(Bits().PixelAt(0, 0), turned.PixelAt(0, 0));
  EXPECT_EQ(Bits().PixelAt(639, 479), turned.PixelAt(639, 479));
  // INT_MIN lies 232 degrees past a whole number of turns.
  Image.SetHeightWidth(10, 20);
  Image.ImageProc().Rotate(Bits(), INT_MIN, false);
  EXPECT_EQ(Bits().Width(), TurnedSize(20, 10, 232).Width);
  EXPECT_EQ(Bits().Height(), TurnedSize(20, 10, 232).Height);
}

// Bilinear sampling as the turn defines it, spelled out: the inverse turn of a pixel's
// centre about the two pictures' centres.
TPixel ReferenceTurn(const TBitmap& in, int outWidth, int outHeight, double degrees, int x, int y) {
  const double a = degrees * std::numbers::pi / 180;
  const double dx = x + 0.5 - outWidth / 2.0, dy = y + 0.5 - outHeight / 2.0;
  const double sx = std::cos(a) * dx - std::sin(a) * dy + in.Width() / 2.0 - 0.5;
  const double sy = std::sin(a) * dx + std::cos(a) * dy + in.Height() / 2.0 - 0.5;
  const int x0 = static_cast<int>(std::floor(sx)), y0 = static_cast<int>(std::floor(sy));
  const double fx = sx - x0, fy = sy - y0;
  TPixel out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const auto at = [&](int px, int py) { return static_cast<double>((in.PixelAt(px, py) >> shift) & 0xFF); };
    const double top = at(x0, y0) * (1 - fx) + at(x0 + 1, y0) * fx;
    const double bottom = at(x0, y0 + 1) * (1 - fx) + at(x0 + 1, y0 + 1) * fx;
    out |= static_cast<TPixel>(std::lround(top * (1 - fy) + bottom * fy)) << shift;
  }
  return out;
}

TEST_F(VekImageFiles, ATurnOf30DegreesIsSmoothedLikeTheReference) {
  TBitmap original(200, 120, 24);
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 200; ++x)
      original.SetPixelAt(x, y, static_cast<TPixel>((x * 255 / 199) << 16 | (y * 2) << 8 | ((x + y) & 0xFF)));
  Bits().Assign(original);
  Image.Rotate(30);
  const TTurnedSize size = TurnedSize(200, 120, 30);
  ASSERT_EQ(Bits().Width(), size.Width);
  ASSERT_EQ(Bits().Height(), size.Height);
  EXPECT_EQ(Bits().PixelAt(0, 0), 0u);  // an uncovered corner
  for (const auto& [x, y] : {std::pair{115, 90}, {100, 80}, {140, 100}, {90, 120}, {130, 70}}) {
    const TPixel want = ReferenceTurn(original, Bits().Width(), Bits().Height(), 30, x, y);
    const TPixel got = Bits().PixelAt(x, y);
    for (int shift = 0; shift < 24; shift += 8)
      EXPECT_NEAR(static_cast<int>((got >> shift) & 0xFF), static_cast<int>((want >> shift) & 0xFF), 2)
          << x << "," << y;
  }
}

TEST_F(VekImageFiles, RepeatedTurnsEndInAnErrorThatKeepsThePicture) {
  Image.LoadFromFile(Dir.File("numbered.png"));
  int turns = 0;
  try {
    for (; turns < 20; ++turns) Image.Rotate(45);
  } catch (const Exception& e) {
    EXPECT_NE(e.Message().find("larger than allowed"), std::string::npos);
  }
  EXPECT_LT(turns, 20);
  const int width = Bits().Width();
  EXPECT_THROW(Image.Rotate(45), Exception);
  EXPECT_EQ(Bits().Width(), width);
}

}  // namespace
