#include "framework/graphics/Bitmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "framework/graphics/HugePageBlocks.h"

namespace {

void PaintPattern(TBitmap& bitmap) {
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x)
      bitmap.SetPixelAt(x, y, static_cast<TPixel>((x * 37 + y * 101) * 0x010203) & 0xFFFFFFu);
}

bool SamePicture(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.PixelAt(x, y) != b.PixelAt(x, y)) return false;
  return true;
}

}  // namespace

TEST(Bitmap, PixelBitsConversionsKeepThePicture) {
  TBitmap bitmap(5, 3), original(5, 3);
  PaintPattern(bitmap);
  PaintPattern(original);
  bitmap.SetPixelBits(24);
  EXPECT_EQ(bitmap.PixelBits(), 24);
  EXPECT_TRUE(SamePicture(bitmap, original));
  EXPECT_EQ(bitmap.Row(1)[3], bitmap.PixelAt(1, 1) & 0xFF);  // B, G, R bytes with no padding word
  bitmap.SetPixelBits(32);
  EXPECT_EQ(bitmap.PixelBits(), 32);
  EXPECT_TRUE(SamePicture(bitmap, original));
}

TEST(Bitmap, SettingTheCurrentPixelBitsDoesNothing) {
  TBitmap bitmap(4, 4, 24);
  PaintPattern(bitmap);
  const std::uint8_t* before = bitmap.Row(0);
  bitmap.SetPixelBits(24);
  EXPECT_EQ(bitmap.Row(0), before);
  bitmap.SetPixelBits(16);  // not a format this bitmap knows
  EXPECT_EQ(bitmap.PixelBits(), 24);
  EXPECT_EQ(bitmap.Row(0), before);
}

TEST(Bitmap, RowsAreFourByteAlignedInBothFormats) {
  TBitmap bitmap(3, 2, 24);
  EXPECT_EQ(bitmap.Stride(), 12u);
  EXPECT_EQ(bitmap.Row(1) - bitmap.Row(0), 12);
  bitmap.SetPixelBits(32);
  EXPECT_EQ(bitmap.Stride(), 12u);
}

TEST(Bitmap, ResizingKeepsTheOverlapAndBlackensTheRest) {
  TBitmap bitmap(3, 3);
  bitmap.SetPixelAt(1, 1, 0xABCDEF);
  bitmap.SetPixelAt(2, 2, 0x123456);
  bitmap.SetSize(5, 2);
  EXPECT_EQ(bitmap.PixelAt(1, 1), 0xABCDEFu);
  EXPECT_EQ(bitmap.PixelAt(4, 1), 0u);
  bitmap.SetSize(-1, 2);
  EXPECT_TRUE(bitmap.Empty());
}

TEST(Bitmap, ABlankResizeKeepsNothingAndTellsItsOwner) {
  TBitmap bitmap(3, 3, 24);
  bitmap.SetPixelAt(1, 1, 0xABCDEF);
  int changes = 0;
  bitmap.OnChange = [&] { ++changes; };
  bitmap.SetSizeBlank(4, 2);
  EXPECT_EQ(bitmap.Width(), 4);
  EXPECT_EQ(bitmap.PixelBits(), 24);
  EXPECT_EQ(bitmap.PixelAt(1, 1), 0u);
  bitmap.SetSizeBlank(4, 2);
  EXPECT_EQ(changes, 1);
}

TEST(Bitmap, AssignCopiesSizeFormatAndPicture) {
  TBitmap source(4, 3, 24), copy;
  PaintPattern(source);
  copy.Assign(source);
  EXPECT_EQ(copy.PixelBits(), 24);
  EXPECT_TRUE(SamePicture(copy, source));
}

// Large enough for the kept memory of large pictures, with a byte of padding at each row's end.
TEST(Bitmap, MemoryAnotherPictureHadIsBlackUnlessTheMakerWritesEveryPixelAndItsPaddingIsClear) {
  constexpr int width = 2001, height = 1500;
  const auto paintAll = [](TBitmap& bitmap) { std::memset(bitmap.Row(0), 0xAB, bitmap.Stride() * bitmap.Height()); };
  const std::uint8_t* used = nullptr;
  {
    TBitmap old(width, height, 24);
    paintAll(old);
    used = old.Row(0);
  }
  {
    TBitmap reused(width, height, 24, TNewPixels::Undefined);
    // (Under the address sanitizer pictures take the heap, which hands out fresh memory.)
    if (HugePageBlocksForPictures) {
      ASSERT_EQ(reused.Row(0), used);
    }
    int dirtyPadding = 0;
    for (int y = 0; y < height; ++y) dirtyPadding += reused.Row(y)[width * 3] != 0;
    EXPECT_EQ(dirtyPadding, 0);
    paintAll(reused);
  }
  TBitmap black(width, height, 24);
  const std::uint8_t* p = black.Row(0);
  EXPECT_TRUE(std::all_of(p, p + black.Stride() * height, [](std::uint8_t b) { return b == 0; }));
}
