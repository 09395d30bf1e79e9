#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "ImageCodec.h"

// The info block of a device-independent bitmap, read and checked.
struct TDibHeader {
  enum Compression : std::uint32_t { Rgb = 0, Rle8 = 1, Rle4 = 2, BitFields = 3, AlphaBitFields = 6 };

  std::int64_t Width = 0;
  std::int64_t Height = 0;
  bool TopDown = false;
  int BitsPerPixel = 0;
  std::uint32_t Compression = Rgb;
  // Red, green and blue masks of 16- and 32-bit pixels.
  std::array<std::uint32_t, 3> Masks{};
  // Pixel words (B, G, R) of the palette, 256 entries, unused ones black.
  std::vector<std::uint32_t> Palette;
  // Bytes of the info block: header, masks and palette.
  std::size_t InfoBytes = 0;

  // Bytes of one stored row, padded to 4 bytes.
  std::size_t Stride() const { return ((static_cast<std::size_t>(Width) * BitsPerPixel + 31) / 32) * 4; }
};

// Raises EImageFormat for a header this reader does not know or that contradicts itself.
TDibHeader ReadDibHeader(TByteSpan info);
