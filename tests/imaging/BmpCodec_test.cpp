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

// Literal runs are padded to a whole 16-bit word: three bytes of RLE8, five nibbles (three
// bytes) of RLE4 are each followed by a byte that is skipped.
TEST(BmpCodec, OddLiteralRunsArePaddedToAWord) {
  std::vector<std::uint32_t> palette(16);
  for (std::uint32_t i = 0; i < 16; ++i) palette[i] = i * 0x111111;
  const TBytes rle8 = {0, 3, 1, 2, 3, 0xEE, 2, 4, 0, 1};
  EXPECT_EQ(Row(*TBmpCodec().Decode(BmpFile(5, 1, 8, 1, palette, rle8), {}), 0), "111111 222222 333333 444444 444444 ");
  const TBytes rle4 = {0, 5, 0x12, 0x34, 0x50, 0xEE, 1, 0x60, 0, 1};
  EXPECT_EQ(Row(*TBmpCodec().Decode(BmpFile(6, 1, 4, 2, palette, rle4), {}), 0),
            "111111 222222 333333 444444 555555 666666 ");
}

// Runs past the right edge are cut there; a jump past the top ends the picture.
TEST(BmpCodec, RunLengthDataStaysInsideThePicture) {
  const std::vector<std::uint32_t> palette = {0, 0x0000FF, 0x00FF00};
  const TBytes data = {5, 1, 0, 0, 1, 2, 0, 2, 1, 9, 2, 2};
  const auto picture = TBmpCodec().Decode(BmpFile(3, 2, 8, 1, palette, data), {});
  EXPECT_EQ(Row(*picture, 1), "0000FF 0000FF 0000FF ");
  EXPECT_EQ(Row(*picture, 0), "00FF00 000000 000000 ");
}

// A packed bitmap as a metafile holds it: header, masks, palette and pixels one after another.
// Headers of 40 bytes and more; `tail` holds what follows the first 40 (masks, palette).
TBytes PackedDib(std::uint32_t headerBytes, int width, int height, int bits, std::uint32_t compression,
                 std::uint32_t colorsUsed, const TBytes& tail) {
  TBytes b;
  Put32(b, headerBytes);
  Put32(b, static_cast<std::uint32_t>(width));
  Put32(b, static_cast<std::uint32_t>(height));
  Put16(b, 1);
  Put16(b, static_cast<std::uint16_t>(bits));
  Put32(b, compression);
  for (int i = 0; i < 3; ++i) Put32(b, 0);
  Put32(b, colorsUsed);
  Put32(b, 0);
  b.insert(b.end(), tail.begin(), tail.end());
  return b;
}

TBytes Words(std::initializer_list<std::uint32_t> words) {
  TBytes b;
  for (std::uint32_t w : words) Put32(b, w);
  return b;
}

TBytes Joined(std::initializer_list<TBytes> parts) {
  TBytes b;
  for (const TBytes& part : parts) b.insert(b.end(), part.begin(), part.end());
  return b;
}

// The pixels follow the palette that is there: as many entries as the header counts (no more
// than the bits can index), none beside true colour but those it counts.
TEST(BmpCodec, PixelsFollowThePaletteTheHeaderCounts) {
  const TBytes short8 = PackedDib(40, 3, 1, 8, 0, 3, Joined({Words({0x0000FF, 0x00FF00, 0xFF0000}), {0, 1, 2, 0}}));
  EXPECT_EQ(Row(*DecodePackedDib(short8, {}), 0), "0000FF 00FF00 FF0000 ");
  const TBytes long1 = PackedDib(40, 2, 1, 1, 0, 300, Joined({Words({0x123456, 0xABCDEF}), {0x40, 0, 0, 0}}));
  EXPECT_EQ(Row(*DecodePackedDib(long1, {}), 0), "123456 ABCDEF ");
  const TBytes besideTrueColour = PackedDib(40, 1, 1, 24, 0, 2, Joined({Words({0xFFFFFF, 0xFFFFFF}), {1, 2, 3, 0}}));
  EXPECT_EQ(Row(*DecodePackedDib(besideTrueColour, {}), 0), "030201 ");
}

// The 12-byte header of the first bitmaps: 16-bit sizes and palette entries of three bytes.
TEST(BmpCodec, CoreHeadersHaveThreeBytePaletteEntries) {
  TBytes core;
  Put32(core, 12);
  Put16(core, 3);
  Put16(core, 1);
  Put16(core, 1);
  Put16(core, 4);
  for (int i = 0; i < 16; ++i) core.insert(core.end(), {static_cast<std::uint8_t>(i), 0x80, 0xFF});
  core.insert(core.end(), {0x1F, 0x20, 0, 0});
  EXPECT_EQ(Row(*DecodePackedDib(core, {}), 0), "FF8001 FF800F FF8002 ");
}

// Masks: wider channels keep their highest 8 bits, narrower ones repeat their bits, an alpha
// mask and the masks inside a version 5 header are read where they lie.
TEST(BmpCodec, BitFieldMasksOfAnyWidth) {
  const TBytes wide =
      PackedDib(40, 1, 1, 32, 3, 0, Joined({Words({0x3FF00000, 0x000FFC00, 0x000003FF}), Words({0x2AA3C3FF})}));
  EXPECT_EQ(Row(*DecodePackedDib(wide, {}), 0), "AA3CFF ");
  const TBytes narrow = PackedDib(40, 2, 1, 16, 3, 0, Joined({Words({0x0F00, 0x00F0, 0x000F}), {0x5A, 0x0C, 0x21, 0}}));
  EXPECT_EQ(Row(*DecodePackedDib(narrow, {}), 0), "CC55AA 002211 ");
  const TBytes alpha = PackedDib(
      40, 1, 1, 32, 6, 0, Joined({Words({0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000}), Words({0x80112233})}));
  EXPECT_EQ(Row(*DecodePackedDib(alpha, {}), 0), "332211 ");
  TBytes v5Tail = Words({0x0000FF00, 0x00FF0000, 0xFF000000, 0x000000FF});
  v5Tail.resize(124 - 40, 0);
  const TBytes v5 = PackedDib(124, 1, 1, 32, 3, 0, Joined({v5Tail, Words({0x44332211})}));
  EXPECT_EQ(Row(*DecodePackedDib(v5, {}), 0), "223344 ");
}

TEST(BmpCodec, TheLastRowMayLackItsPaddingButNotItsPixels) {
  const TBytes rows = {1, 2, 3, 0, 4, 5, 6};
  EXPECT_EQ(Row(*TBmpCodec().Decode(BmpFile(1, 2, 24, 0, {}, rows), {}), 0), "060504 ");
  EXPECT_THROW(TBmpCodec().Decode(BmpFile(1, 2, 24, 0, {}, {1, 2, 3, 0, 4, 5}), {}), EImageFormat);
}

TEST(BmpCodec, HeadersThatContradictThemselvesAreRefusedWithTheirReason) {
  const auto message = [](const TBytes& dib) {
    try {
      DecodePackedDib(dib, {});
    } catch (const EImageFormat& e) {
      return e.Message();
    }
    return std::string("loaded");
  };
  const TBytes pixels(16, 0);
  EXPECT_EQ(message(PackedDib(40, 1, 1, 2, 0, 0, pixels)), "2 bits per pixel are not supported");
  EXPECT_EQ(message(PackedDib(40, 1, 1, 4, 1, 0, pixels)), "run-length compression does not match the bits per pixel");
  EXPECT_EQ(message(PackedDib(40, 1, -1, 8, 1, 0, pixels)), "a run-length compressed bitmap cannot be top-down");
  EXPECT_EQ(message(PackedDib(40, 1, 1, 24, 3, 0, pixels)), "bit-field masks need 16 or 32 bits per pixel");
  EXPECT_EQ(message(PackedDib(40, 1, 1, 24, 4, 0, pixels)), "compression 4 is not supported");
  EXPECT_EQ(message(PackedDib(39, 1, 1, 24, 0, 0, pixels)), "unknown bitmap header of 39 bytes");
  EXPECT_EQ(message(PackedDib(40, 1, 1, 24, 0, 0, pixels)), "loaded");
}

TEST(BmpCodec, RunLengthDataCutShortIsRefused) {
  const std::vector<std::uint32_t> palette = {0xFFFFFF, 0x0000FF};
  EXPECT_THROW(TBmpCodec().Decode(BmpFile(3, 2, 8, 1, palette, {2, 1, 0, 0}), {}), EImageFormat);
}

}  // namespace
