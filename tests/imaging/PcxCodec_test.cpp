#include <gtest/gtest.h>

#include <cstring>

#include "ImagingFixture.h"
#include "framework/graphics/Bitmap.h"
#include "imaging/PcxCodec.h"

// 24-bit files in three run-length coded planes: the bytes the writer must keep producing, and
// the streams a reader meets in files from elsewhere.
namespace {

// Rows of every kind a coder meets: noise over all byte values, long runs of bytes that need a
// marker, runs of every length up to past 63 in steps, and gentle gradients.
std::unique_ptr<TBitmap> CodingPicture(int width, int height, int pixelBits) {
  auto bitmap = std::make_unique<TBitmap>(width, height, pixelBits);
  std::uint32_t noise = 7;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      noise = noise * 1664525u + 1013904223u;
      const std::uint32_t steps = static_cast<std::uint32_t>(x / (1 + y % 70)) * 0x3B2917u;
      const std::uint32_t kinds[4] = {noise >> 8, 0xC7C0FFu, steps, static_cast<std::uint32_t>(x * 0x010203 / 3 + y)};
      bitmap->SetPixelAt(x, y, kinds[y % 4] & 0xFFFFFF);
    }
  return bitmap;
}

TEST(PcxCodec, WritesTheBytesItAlwaysHas) {
  // An odd width pads every plane with a zero byte.
  for (int bits : {24, 32}) {
    const TBytes file = TPcxCodec().Encode(*CodingPicture(203, 280, bits), {});
    EXPECT_EQ(file.size(), 106568u) << bits;
    EXPECT_EQ(Crc32(file.data(), file.size()), 0x8B12F0F0u) << bits;
  }
}

TEST(PcxCodec, ReadsBackWhatItWrites) {
  const auto picture = CodingPicture(203, 280, 24);
  const auto back = TPcxCodec().Decode(TPcxCodec().Encode(*picture, {}), {});
  EXPECT_EQ(FirstDifference(*back, *picture), "");
}

// A large picture may be decoded into memory that another picture had: none of it shows.
TEST(PcxCodec, ReadsBackWhatItWritesOverAnotherPicturesMemory) {
  constexpr int width = 2001, height = 1500;
  const auto picture = CodingPicture(width, height, 24);
  const TBytes file = TPcxCodec().Encode(*picture, {});
  {
    TBitmap other(width, height, 24);
    std::memset(other.Row(0), 0xAB, other.Stride() * height);
  }
  const auto back = TPcxCodec().Decode(file, {});
  EXPECT_EQ(FirstDifference(*back, *picture), "");
}

// A 24-bit file of width x height with `bytesPerLine` to a plane and the given coded stream.
TBytes PcxFile(int width, int height, int bytesPerLine, int encoding, const TBytes& stream) {
  TBytes b(128 + stream.size(), 0);
  b[0] = 0x0A;
  b[1] = 5;
  b[2] = static_cast<std::uint8_t>(encoding);
  b[3] = 8;
  b[8] = static_cast<std::uint8_t>(width - 1);
  b[10] = static_cast<std::uint8_t>(height - 1);
  b[65] = 3;
  b[66] = static_cast<std::uint8_t>(bytesPerLine);
  std::copy(stream.begin(), stream.end(), b.begin() + 128);
  return b;
}

std::string Pixels(const TBitmap& bitmap) {
  std::string out;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) {
      char text[8];
      std::snprintf(text, sizeof text, "%06X ", bitmap.PixelAt(x, y));
      out += text;
    }
  return out;
}

TEST(PcxCodec, RunsMayCrossPlanesAndLinesAndCountNothing) {
  // 2 x 2, three planes of 2 bytes a line. Line 0: red 11 11, green 22 (a run of 3 that ends
  // in the blue plane), blue 22 C5 (a marked single). A run of nothing in between. Line 1:
  // literal red, then one run of 4 for green and blue.
  const TBytes stream = {0xC2, 0x11, 0xC3, 0x22, 0xC0, 0x99, 0xC1, 0xC5, 0x01, 0x02, 0xC4, 0xBF};
  const auto picture = TPcxCodec().Decode(PcxFile(2, 2, 2, 1, stream), {});
  EXPECT_EQ(Pixels(*picture), "112222 1122C5 01BFBF 02BFBF ");
}

TEST(PcxCodec, ARunLongerThanThePictureIsCutAtItsEnd) {
  const auto picture = TPcxCodec().Decode(PcxFile(1, 1, 1, 1, {0xFF, 0x40}), {});
  EXPECT_EQ(Pixels(*picture), "404040 ");
}

TEST(PcxCodec, UncodedPlanesAreCopied) {
  const auto picture = TPcxCodec().Decode(PcxFile(2, 1, 2, 0, {0xC1, 0x02, 0xD3, 0x04, 0xE5, 0x06}), {});
  EXPECT_EQ(Pixels(*picture), "C1D3E5 020406 ");
}

TEST(PcxCodec, StreamsThatEndEarlyAreTruncated) {
  // Too few plain bytes, a marker without its byte, a line one byte short.
  for (const TBytes& stream : {TBytes{0x01, 0x02, 0x03}, TBytes{0xC2, 0x11, 0xC3}, TBytes{1, 2, 3, 4, 5}})
    EXPECT_THROW(TPcxCodec().Decode(PcxFile(2, 1, 2, 1, stream), {}), EImageFormat);
  EXPECT_THROW(TPcxCodec().Decode(PcxFile(2, 1, 2, 0, {1, 2, 3, 4, 5}), {}), EImageFormat);
}

}  // namespace
