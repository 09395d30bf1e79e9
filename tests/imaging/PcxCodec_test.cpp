#include <gtest/gtest.h>

#include <cstring>

#include "ImagingFixture.h"
#include "framework/graphics/Bitmap.h"
#include "imaging/PcxCodec.h"

// PCX files: the bytes the writer must keep producing, and the layouts and streams a reader
// meets in files from elsewhere.
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

// How a file's pixels are laid out: bits per pixel in each plane, and the planes of a line.
struct TPcxLayout {
  int Bits = 8;
  int Planes = 3;
};

// The 16 colours of the header's palette: entry i is (i, 16 i, 255 - i) in red, green, blue.
std::uint32_t EgaColor(int i) { return static_cast<std::uint32_t>(i << 16 | (16 * i) << 8 | (255 - i)); }
// The 256-colour palette at the end of a file: entry i is (255 - i, i, 7 i) in red, green, blue.
std::uint32_t VgaColor(int i) { return static_cast<std::uint32_t>((255 - i) << 16 | i << 8 | ((7 * i) & 0xFF)); }

// A file of width x height with `bytesPerLine` to a plane and the given stream (24-bit unless
// the layout says otherwise); an 8-bit file of one plane ends in its 256-colour palette.
TBytes PcxFile(int width, int height, int bytesPerLine, int encoding, const TBytes& stream, TPcxLayout layout = {}) {
  TBytes b(128, 0);
  b[0] = 0x0A;
  b[1] = 5;
  b[2] = static_cast<std::uint8_t>(encoding);
  b[3] = static_cast<std::uint8_t>(layout.Bits);
  b[8] = static_cast<std::uint8_t>(width - 1);
  b[10] = static_cast<std::uint8_t>(height - 1);
  for (int i = 0; i < 16; ++i)
    for (int c = 0; c < 3; ++c) b[16 + 3 * i + c] = static_cast<std::uint8_t>(EgaColor(i) >> (16 - 8 * c));
  b[65] = static_cast<std::uint8_t>(layout.Planes);
  b[66] = static_cast<std::uint8_t>(bytesPerLine);
  b.insert(b.end(), stream.begin(), stream.end());
  if (layout.Bits == 8 && layout.Planes == 1) {
    b.push_back(12);
    for (int i = 0; i < 256; ++i)
      for (int c = 0; c < 3; ++c) b.push_back(static_cast<std::uint8_t>(VgaColor(i) >> (16 - 8 * c)));
  }
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
  // 1 x 3: one run of 7 fills the first two lines and the red plane of the third.
  const auto tall = TPcxCodec().Decode(PcxFile(1, 3, 1, 1, {0xC7, 0x77, 0x01, 0x02}), {});
  EXPECT_EQ(Pixels(*tall), "777777 777777 770102 ");
}

TEST(PcxCodec, ARunLongerThanThePictureIsCutAtItsEnd) {
  const auto picture = TPcxCodec().Decode(PcxFile(1, 1, 1, 1, {0xFF, 0x40}), {});
  EXPECT_EQ(Pixels(*picture), "404040 ");
}

TEST(PcxCodec, UncodedPlanesAreCopied) {
  const auto picture = TPcxCodec().Decode(PcxFile(2, 1, 2, 0, {0xC1, 0x02, 0xD3, 0x04, 0xE5, 0x06}), {});
  EXPECT_EQ(Pixels(*picture), "C1D3E5 020406 ");
}

std::string Colors(const std::vector<std::uint32_t>& pixels) {
  std::string out;
  for (std::uint32_t p : pixels) {
    char text[8];
    std::snprintf(text, sizeof text, "%06X ", p);
    out += text;
  }
  return out;
}

// One bit a pixel, the highest bit of a byte first: black and white, whatever the header's
// palette says. Each line's padding byte is skipped.
TEST(PcxCodec, OneBitLinesAreBlackAndWhite) {
  const auto picture = TPcxCodec().Decode(PcxFile(10, 2, 4, 0, {0xB0, 0x40, 0xFF, 0xFF, 0x01, 0x80, 0, 0}, {1, 1}), {});
  const std::uint32_t w = 0xFFFFFF, k = 0;
  EXPECT_EQ(Pixels(*picture), Colors({w, k, w, w, k, k, k, k, k, w, k, k, k, k, k, k, k, w, w, k}));
}

// Four planes of one bit: bit p of a pixel's index in the header's palette comes from plane p.
TEST(PcxCodec, FourBitPlanesIndexTheHeadersPalette) {
  // Indexes 0 to 8, then 15 at x = 9, on two lines: planes of two bytes and a padding byte.
  const TBytes line = {0x55, 0x40, 0, 0x33, 0x40, 0, 0x0F, 0x40, 0, 0x00, 0xC0, 0};
  TBytes stream = line;
  stream.insert(stream.end(), line.begin(), line.end());
  const auto picture = TPcxCodec().Decode(PcxFile(10, 2, 3, 0, stream, {1, 4}), {});
  std::vector<std::uint32_t> want;
  for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 15}) want.push_back(EgaColor(i));
  want.insert(want.end(), want.begin(), want.end());
  EXPECT_EQ(Pixels(*picture), Colors(want));
  // Two planes reach the first four entries only.
  const auto two = TPcxCodec().Decode(PcxFile(4, 1, 1, 0, {0x50, 0x30}, {1, 2}), {});
  EXPECT_EQ(Pixels(*two), Colors({EgaColor(0), EgaColor(1), EgaColor(2), EgaColor(3)}));
}

TEST(PcxCodec, FourBitNibblesIndexTheHeadersPaletteHighNibbleFirst) {
  const auto picture = TPcxCodec().Decode(PcxFile(3, 2, 2, 1, {0x12, 0x30, 0xC2, 0xFE}, {4, 1}), {});
  EXPECT_EQ(Pixels(*picture),
            Colors({EgaColor(1), EgaColor(2), EgaColor(3), EgaColor(15), EgaColor(14), EgaColor(15)}));
}

TEST(PcxCodec, EightBitsIndexThePaletteAtTheEndOfTheFile) {
  const auto picture = TPcxCodec().Decode(PcxFile(3, 1, 4, 1, {0x00, 0x01, 0xC1, 0xFF, 0x07}, {8, 1}), {});
  EXPECT_EQ(Pixels(*picture), Colors({VgaColor(0), VgaColor(1), VgaColor(255)}));
  TBytes unmarked = PcxFile(3, 1, 4, 1, {0x00, 0x01, 0xC1, 0xFF, 0x07}, {8, 1});
  unmarked[unmarked.size() - 769] = 10;
  EXPECT_THROW(TPcxCodec().Decode(unmarked, {}), EImageFormat);
}

// Red, green and blue planes, then one of alpha that shows nowhere; each plane padded.
TEST(PcxCodec, AFourthPlaneOfEightBitsIsPassedOver) {
  const TBytes stream = {0x10, 0x11, 0, 0x20, 0x21, 0, 0x30, 0x31, 0, 0xFF, 0xFF, 0,
                         0x40, 0x41, 0, 0x50, 0x51, 0, 0x60, 0x61, 0, 0xFF, 0xFF, 0};
  const auto picture = TPcxCodec().Decode(PcxFile(2, 2, 3, 0, stream, {8, 4}), {});
  EXPECT_EQ(Pixels(*picture), Colors({0x102030, 0x112131, 0x405060, 0x415161}));
}

TEST(PcxCodec, HeadersOfUnknownLayoutsAreRefusedWithTheirReason) {
  const auto message = [](const TBytes& file) {
    try {
      TPcxCodec().Decode(file, {});
    } catch (const EImageFormat& e) {
      return e.Message();
    }
    return std::string("loaded");
  };
  EXPECT_EQ(message(PcxFile(2, 1, 2, 2, {1, 2, 3, 4, 5, 6})), "unknown PCX encoding 2");
  EXPECT_EQ(message(PcxFile(2, 1, 2, 1, {1, 2}, {2, 1})), "2 bits in 1 planes are not supported");
  EXPECT_EQ(message(PcxFile(2, 1, 2, 1, {1, 2, 3, 4, 5, 6, 7, 8}, {4, 2})), "4 bits in 2 planes are not supported");
  EXPECT_EQ(message(PcxFile(2, 1, 2, 1, {1, 2}, {1, 5})), "1 bits in 5 planes are not supported");
  EXPECT_EQ(message(PcxFile(9, 1, 1, 0, {1, 2}, {1, 1})), "the line length is shorter than the picture is wide");
  EXPECT_EQ(message(PcxFile(8, 1, 1, 0, {0x80}, {1, 1})), "loaded");
  EXPECT_EQ(message(PcxFile(3, 1, 1, 0, {0x12, 0x34}, {4, 1})), "the line length is shorter than the picture is wide");
}

TEST(PcxCodec, StreamsThatEndEarlyAreTruncated) {
  // Too few plain bytes, a marker without its byte, a line one byte short.
  for (const TBytes& stream : {TBytes{0x01, 0x02, 0x03}, TBytes{0xC2, 0x11, 0xC3}, TBytes{1, 2, 3, 4, 5}})
    EXPECT_THROW(TPcxCodec().Decode(PcxFile(2, 1, 2, 1, stream), {}), EImageFormat);
  EXPECT_THROW(TPcxCodec().Decode(PcxFile(2, 1, 2, 0, {1, 2, 3, 4, 5}), {}), EImageFormat);
}

}  // namespace
