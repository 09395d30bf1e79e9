#include "CursorPicture.h"

namespace {

std::uint32_t PixelOf(char c) {
  switch (c) {
    case 'X': return 0xFF000000;
    case '.': return 0xFFFFFFFF;
    default: return 0;
  }
}

}  // namespace

std::vector<std::uint32_t> CursorPixels(const TCursorImage& image, int scale) {
  const int width = image.Width() * scale, height = image.Height() * scale;
  std::vector<std::uint32_t> pixels;
  pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    const std::string_view row = image.Rows[static_cast<std::size_t>(y / scale)];
    // A row shorter than the first is transparent where it ends.
    for (int x = 0; x < width; ++x)
      pixels.push_back(
          static_cast<std::size_t>(x / scale) < row.size() ? PixelOf(row[static_cast<std::size_t>(x / scale)]) : 0);
  }
  return pixels;
}
