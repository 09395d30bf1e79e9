#include <gtest/gtest.h>

#include <cstring>

#include "ImagingFixture.h"
#include "imaging/ImageIO.h"
#include "support/TempDir.h"

namespace {

class RoundTrip : public ::testing::TestWithParam<const char*> {
 protected:
  std::unique_ptr<TBitmap> SaveAndLoad(const TBitmap& picture) {
    const std::string file = Dir.File(std::string("picture") + GetParam());
    IO.SaveToFile(picture, file);
    auto loaded = std::make_unique<TBitmap>();
    IO.LoadFromFile(*loaded, file);
    EXPECT_EQ(loaded->PixelBits(), 24);
    return loaded;
  }

  TTempDir Dir;
  TImageIO IO{nullptr};
};

using LosslessRoundTrip = RoundTrip;

TEST_P(LosslessRoundTrip, ReadsBackWhatItWroteFromEitherPixelFormat) {
  for (int bits : {24, 32}) {
    // Odd widths catch row padding: 3 bytes a pixel, rows aligned to 4 or 2.
    const auto picture = PhotoPicture(67, 45, bits);
    EXPECT_TRUE(SamePixels(*SaveAndLoad(*picture), *picture)) << bits << " bits";
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, LosslessRoundTrip,
                         ::testing::Values(".bmp", ".pcx", ".png", ".tif", ".tiff", ".dat"));

TEST_F(RoundTrip, GifKeepsAPictureOfAtMost256ColoursExactly) {
  for (int colors : {2, 17, 256}) {
    const auto picture = FewColorPicture(53, 31, colors);
    IO.SaveToFile(*picture, Dir.File("few.gif"));
    TBitmap loaded;
    IO.LoadFromFile(loaded, Dir.File("few.gif"));
    EXPECT_TRUE(SamePixels(loaded, *picture)) << colors << " colours";
  }
}

TEST_F(RoundTrip, GifQuantisesAPictureOfMoreColoursCloseToIt) {
  const auto picture = PhotoPicture(80, 60);
  IO.SaveToFile(*picture, Dir.File("photo.gif"));
  TBitmap loaded;
  IO.LoadFromFile(loaded, Dir.File("photo.gif"));
  ASSERT_EQ(loaded.Width(), 80);
  EXPECT_GT(Psnr(loaded, *picture), 25);
}

TEST_F(RoundTrip, JpegAtQuality90StaysAbove38Decibels) {
  for (int bits : {24, 32}) {
    const auto picture = PhotoPicture(160, 120, bits);
    for (const char* name : {"photo.jpg", "photo.JPEG"}) {
      IO.SaveToFile(*picture, Dir.File(name));
      TBitmap loaded;
      IO.LoadFromFile(loaded, Dir.File(name));
      ASSERT_EQ(loaded.Width(), 160);
      EXPECT_GE(Psnr(loaded, *picture), 38) << name;
    }
  }
}

// A large picture may be decoded into memory that another picture had: none of it shows.
TEST_F(RoundTrip, JpegReadsTheSamePixelsOverAnotherPicturesMemory) {
  IO.SaveToFile(*PhotoPicture(2001, 1500), Dir.File("large.jpg"));
  TBitmap first;
  IO.LoadFromFile(first, Dir.File("large.jpg"));
  TBitmap kept;
  kept.Assign(first);
  std::memset(first.Row(0), 0xAB, first.Stride() * first.Height());
  first.SetSize(0, 0);
  TBitmap again;
  IO.LoadFromFile(again, Dir.File("large.jpg"));
  EXPECT_EQ(FirstDifference(again, kept), "");
}

TEST_F(RoundTrip, JpegQualityIsTheCallersChoice) {
  const auto picture = PhotoPicture(160, 120);
  IO.JpegQuality = 20;
  IO.SaveToFile(*picture, Dir.File("low.jpg"));
  IO.JpegQuality = 98;
  IO.SaveToFile(*picture, Dir.File("high.jpg"));
  EXPECT_LT(ReadBytes(Dir.File("low.jpg")).size() * 2, ReadBytes(Dir.File("high.jpg")).size());
}

}  // namespace
