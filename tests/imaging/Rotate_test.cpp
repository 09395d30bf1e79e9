#include <gtest/gtest.h>

#include <cstring>

#include "ImagingFixture.h"
#include "framework/base/Types.h"
#include "imaging/ImageProc.h"

namespace {

// Where a counter-clockwise quarter turn puts pixel (x, y) of a width x height picture.
TPoint Turned(int quarters, int x, int y, int width, int height) {
  switch (quarters) {
    case 1: return {y, width - 1 - x};
    case 2: return {width - 1 - x, height - 1 - y};
    default: return {height - 1 - y, x};
  }
}

// Odd sizes leave padding at the ends of 24-bit rows; both pixel formats go in. Sizes that are
// whole 4 x 4 blocks, with and without padding, reach the last byte of the picture in blocks;
// a picture over a thousand pixels wide is turned in several bands of columns.
TEST(QuarterTurns, MovePixelsExactlyFromEitherFormat) {
  for (int bits : {24, 32})
    for (int quarters = 1; quarters <= 3; ++quarters)
      for (const auto& [width, height] : {std::pair{7, 5}, {1, 9}, {130, 67}, {12, 8}, {20, 16}, {4, 4}, {1030, 21}}) {
        const auto original = PhotoPicture(width, height, bits);
        TBitmap bitmap;
        bitmap.Assign(*original);
        TImageProc(nullptr).Rotate(bitmap, 90 * quarters, false);
        ASSERT_EQ(bitmap.PixelBits(), 24);
        int wrong = 0;
        for (int y = 0; y < height; ++y)
          for (int x = 0; x < width; ++x) {
            const TPoint to = Turned(quarters, x, y, width, height);
            wrong += bitmap.PixelAt(to.X, to.Y) != (original->PixelAt(x, y) & 0xFFFFFF);
          }
        EXPECT_EQ(wrong, 0) << bits << " bits, " << quarters << " quarters, " << width << "x" << height;
      }
}

// A large turned picture may take memory that another picture had: none of it shows.
TEST(QuarterTurns, MoveEveryPixelOverAnotherPicturesMemory) {
  constexpr int width = 1500, height = 2001;
  const auto original = PhotoPicture(width, height);
  {
    TBitmap other(height, width, 24);
    std::memset(other.Row(0), 0xAB, other.Stride() * width);
  }
  TBitmap bitmap;
  bitmap.Assign(*original);
  TImageProc(nullptr).Rotate(bitmap, 90, false);
  int wrong = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const TPoint to = Turned(1, x, y, width, height);
      wrong += bitmap.PixelAt(to.X, to.Y) != original->PixelAt(x, y);
    }
  EXPECT_EQ(wrong, 0);
}

TEST(QuarterTurns, AWholeTurnOnlyNarrowsThePixels) {
  const auto original = PhotoPicture(9, 4, 32);
  TBitmap bitmap;
  bitmap.Assign(*original);
  TImageProc(nullptr).Rotate(bitmap, -720, true);
  EXPECT_EQ(bitmap.PixelBits(), 24);
  EXPECT_TRUE(SamePixels(bitmap, *original));
}

// Turned by other angles, hard edges between black and white are smoothed into greys when
// asked for, and keep their two colours (and the black of the corners) when not.
TEST(Turns, SmoothOnlyWhenAsked) {
  for (const bool smooth : {true, false}) {
    TBitmap bitmap(40, 40, 24);
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x) bitmap.SetPixelAt(x, y, ((x / 5 + y / 5) % 2) ? 0xFFFFFFu : 0u);
    TImageProc(nullptr).Rotate(bitmap, 30, smooth);
    int greys = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
      for (int x = 0; x < bitmap.Width(); ++x) greys += bitmap.PixelAt(x, y) != 0 && bitmap.PixelAt(x, y) != 0xFFFFFF;
    if (smooth) EXPECT_GT(greys, 100);
    else EXPECT_EQ(greys, 0);
  }
}

}  // namespace
