#include "GifPalette.h"

#include <gif_lib.h>

#include <array>

#include "CodecSupport.h"
#include "framework/graphics/Bitmap.h"

namespace {

constexpr int MaxColors = 256;

// An open-addressed set of at most 256 colours, each with its palette index.
class TColorTable {
 public:
  // The index of the colour, added if new; -1 when the table is full.
  int Find(std::uint32_t pixel, std::vector<std::uint32_t>& palette) {
    std::size_t slot = (pixel * 2654435761u) >> 22;
    while (FIndex[slot] >= 0) {
      if (FPixel[slot] == pixel) return FIndex[slot];
      slot = (slot + 1) % FSlots;
    }
    if (palette.size() == MaxColors) return -1;
    FPixel[slot] = pixel;
    FIndex[slot] = static_cast<int>(palette.size());
    palette.push_back(pixel);
    return FIndex[slot];
  }

 private:
  static constexpr std::size_t FSlots = 1024;
  std::array<std::uint32_t, FSlots> FPixel{};
  std::array<int, FSlots> FIndex = [] {
    std::array<int, FSlots> a{};
    a.fill(-1);
    return a;
  }();
};

bool IndexExactly(const TBitmap& bitmap, TIndexedPicture& out) {
  TColorTable table;
  std::uint32_t lastPixel = 0xFFFFFFFF;
  int lastIndex = -1;
  std::uint8_t* index = out.Indices.data();
  const int step = bitmap.PixelBits() / 8;
  for (int y = 0; y < bitmap.Height(); ++y) {
    const std::uint8_t* p = bitmap.Row(y);
    for (int x = 0; x < bitmap.Width(); ++x, p += step) {
      const std::uint32_t pixel = p[0] | (p[1] << 8) | (p[2] << 16);
      if (pixel != lastPixel) {
        lastIndex = table.Find(pixel, out.Palette);
        if (lastIndex < 0) return false;
        lastPixel = pixel;
      }
      *index++ = static_cast<std::uint8_t>(lastIndex);
    }
  }
  return true;
}

void Quantise(const TBitmap& bitmap, TIndexedPicture& out) {
  const std::size_t count = out.Indices.size();
  std::vector<GifByteType> red(count), green(count), blue(count);
  std::size_t i = 0;
  const int step = bitmap.PixelBits() / 8;
  for (int y = 0; y < bitmap.Height(); ++y) {
    const std::uint8_t* p = bitmap.Row(y);
    for (int x = 0; x < bitmap.Width(); ++x, ++i, p += step) {
      blue[i] = p[0];
      green[i] = p[1];
      red[i] = p[2];
    }
  }
  int size = MaxColors;
  std::array<GifColorType, MaxColors> map{};
  if (GifQuantizeBuffer(static_cast<unsigned>(bitmap.Width()), static_cast<unsigned>(bitmap.Height()), &size,
                        red.data(), green.data(), blue.data(), out.Indices.data(), map.data()) != GIF_OK)
    throw EImageFormat("out of memory");
  out.Palette.clear();
  for (int c = 0; c < size; ++c) out.Palette.push_back((map[c].Red << 16) | (map[c].Green << 8) | map[c].Blue);
}

}  // namespace

TIndexedPicture IndexPicture(const TBitmap& bitmap) {
  TIndexedPicture out;
  out.Indices.resize(static_cast<std::size_t>(bitmap.Width()) * bitmap.Height());
  if (!IndexExactly(bitmap, out)) Quantise(bitmap, out);
  return out;
}
