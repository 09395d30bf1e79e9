#include <gtest/gtest.h>

#include "ImagingFixture.h"
#include "framework/graphics/Bitmap.h"
#include "imaging/BmpCodec.h"

// The variants of Windows bitmaps that no tool at hand writes: top-down rows, RLE4, jumps.
namespace {

void Put32(TBytes& b, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void Put16(TBytes& b, std::uint16_t v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}

// A file with a 40-byte header; palette entries are pixel words.
TBytes BmpFile(int width, int height, int bits, std::uint32_t compression, const std::vector<std::uint32_t>& palette,
               const TBytes& pixels) {
  TBytes b = {'B', 'M'};
  const auto offset = static_cast<std::uint32_t>(14 + 40 + 4 * palette.size());
  Put32(b, offset + static_cast<std::uint32_t>(pixels.size()));
  Put32(b, 0);
  Put32(b, offset);
  Put32(b, 40);
  Put32(b, static_cast<std::uint32_t>(width));
  Put32(b, static_cast<std::uint32_t>(height));
  Put16(b, 1);
  Put16(b, static_cast<std::uint16_t>(bits));
  Put32(b, compression);
  for (int i = 0; i < 3; ++i) Put32(b, 0);
  Put32(b, static_cast<std::uint32_t>(palette.size()));
  Put32(b, 0);
  for (std::uint32_t entry : palette) Put32(b, entry);
  b.insert(b.end(), pixels.begin(), pixels.end());
  return b;
}

std::string Row(const TBitmap& bitmap, int y) {
  std::string out;
  for (int x = 0; x < bitmap.Width(); ++x) {
    char text[8];
    std::snprintf(text, sizeof text, "%06X ", bitmap.PixelAt(x, y));
    out += text;
  }
  return out;
}

TEST(BmpCodec, TopDownRowsReadLikeBottomUpOnes) {
  // 2 x 2 at 24 bits, rows padded to 8 bytes: red, green on top; blue, white below.
  const TBytes top = {0, 0, 255, 0, 255, 0, 0, 0};
  const TBytes bottom = {255, 0, 0, 255, 255, 255, 0, 0};
  TBytes upwards = bottom;
  upwards.insert(upwards.end(), top.begin(), top.end());
  TBytes downwards = top;
  downwards.insert(downwards.end(), bottom.begin(), bottom.end());
  const auto a = TBmpCodec().Decode(BmpFile(2, 2, 24, 0, {}, upwards), {});
  const auto b = TBmpCodec().Decode(BmpFile(2, -2, 24, 0, {}, downwards), {});
  EXPECT_EQ(Row(*a, 0), "FF0000 00FF00 ");
  EXPECT_EQ(Row(*a, 1), "0000FF FFFFFF ");
  EXPECT_TRUE(SamePixels(*a, *b));
}

TEST(BmpCodec, Rle4RunsLiteralsAndEndsOfLine) {
  std::vector<std::uint32_t> palette(16);
  for (std::uint32_t i = 0; i < 16; ++i) palette[i] = i * 0x111111;
  // Bottom row: a run of 4 alternating 1 and 2; end of line. Top row: 3 literal nibbles
  // (padded to 16 bits), the fourth pixel left out; end of picture.
  const TBytes data = {4, 0x12, 0, 0, 0, 3, 0x34, 0x50, 0, 1};
  const auto picture = TBmpCodec().Decode(BmpFile(4, 2, 4, 2, palette, data), {});
  EXPECT_EQ(Row(*picture, 1), "111111 222222 111111 222222 ");
  EXPECT_EQ(Row(*picture, 0), "333333 444444 555555 000000 ");
}

TEST(BmpCodec, Rle8JumpsLeaveBlackBehind) {
  const std::vector<std::uint32_t> palette = {0xFFFFFF, 0x0000FF, 0x00FF00};
  // Two of colour 1 on the bottom row, a jump one row up, one of colour 2.
  const TBytes data = {2, 1, 0, 2, 0, 1, 1, 2, 0, 1};
  const auto picture = TBmpCodec().Decode(BmpFile(3, 2, 8, 1, palette, data), {});
  EXPECT_EQ(Row(*picture, 1), "0000FF 0000FF 000000 ");
  EXPECT_EQ(Row(*picture, 0), "000000 000000 00FF00 ");
}

TEST(BmpCodec, RunLengthDataCutShortIsRefused) {
  const std::vector<std::uint32_t> palette = {0xFFFFFF, 0x0000FF};
  EXPECT_THROW(TBmpCodec().Decode(BmpFile(3, 2, 8, 1, palette, {2, 1, 0, 0}), {}), EImageFormat);
}

}  // namespace
