#include <gtest/gtest.h>

#include <cstring>
#include <set>

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

// Editors and downloads leave bytes after the end chunk; the picture still loads.
TEST(PngTrailer, BytesAfterTheEndChunkAreIgnored) {
  TTempDir dir;
  TImageIO io(nullptr);
  const auto picture = PhotoPicture(9, 7);
  io.SaveToFile(*picture, dir.File("trailer.png"));
  TBytes bytes = ReadBytes(dir.File("trailer.png"));
  bytes.insert(bytes.end(), 20, 0xFF);  // read as a chunk, a length past the end of the file
  WriteBytes(dir.File("trailer.png"), bytes);
  TBitmap loaded;
  io.LoadFromFile(loaded, dir.File("trailer.png"));
  EXPECT_TRUE(SamePixels(loaded, *picture));
}

std::size_t CountColors(const TBitmap& bitmap) {
  std::set<TPixel> colors;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) colors.insert(bitmap.PixelAt(x, y));
  return colors.size();
}

TEST_F(RoundTrip, GifKeepsAPictureOfAtMost256ColoursExactly) {
  for (int colors : {2, 17, 256}) {
    const auto picture = FewColorPicture(300, 200, colors);
    ASSERT_EQ(CountColors(*picture), static_cast<std::size_t>(colors));
    IO.SaveToFile(*picture, Dir.File("few.gif"));
    TBitmap loaded;
    IO.LoadFromFile(loaded, Dir.File("few.gif"));
    EXPECT_TRUE(SamePixels(loaded, *picture)) << colors << " colours";
  }
}

// One colour more than a palette holds is quantised: the picture comes back close, in at most
// 256 colours.
TEST_F(RoundTrip, GifQuantisesAPictureOfMoreColoursCloseToIt) {
  const auto few = FewColorPicture(300, 200, 257);
  ASSERT_EQ(CountColors(*few), 257u);
  for (const auto& picture : {PhotoPicture(80, 60), FewColorPicture(300, 200, 257)}) {
    IO.SaveToFile(*picture, Dir.File("many.gif"));
    TBitmap loaded;
    IO.LoadFromFile(loaded, Dir.File("many.gif"));
    ASSERT_EQ(loaded.Width(), picture->Width());
    EXPECT_LE(CountColors(loaded), 256u);
    EXPECT_GT(Psnr(loaded, *picture), 25);
  }
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
