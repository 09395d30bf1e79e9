#pragma once
#include <cstdint>
#include <vector>

class TBitmap;

// A picture as palette indices, one byte per pixel, row after row.
struct TIndexedPicture {
  std::vector<std::uint32_t> Palette;  // pixel words (B, G, R)
  std::vector<std::uint8_t> Indices;
};

// The picture's own colours when it has at most 256 of them, else giflib's quantisation to 256.
TIndexedPicture IndexPicture(const TBitmap& bitmap);
