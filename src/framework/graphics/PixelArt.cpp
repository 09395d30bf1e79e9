#include "PixelArt.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

std::unique_ptr<TBitmap> BitmapFromArt(std::initializer_list<std::string_view> rows,
                                       const std::map<char, TColor>& key) {
  const int height = static_cast<int>(rows.size());
  const int width = height ? static_cast<int>(rows.begin()->size()) : 0;
  auto bitmap = std::make_unique<TBitmap>(width, height, 24);
  int y = 0;
  for (const std::string_view row : rows) {
    if (static_cast<int>(row.size()) != width) throw std::logic_error("pixel art rows differ in width");
    for (int x = 0; x < width; ++x) bitmap->SetPixelAt(x, y, ColorToPixel(ColorToRGB(key.at(row[x]))));
    ++y;
  }
  return bitmap;
}

std::unique_ptr<TBitmap> SideBySide(const TBitmap& left, const TBitmap& right) {
  auto both = std::make_unique<TBitmap>(left.Width() + right.Width(), std::max(left.Height(), right.Height()), 24);
  for (int y = 0; y < left.Height(); ++y)
    for (int x = 0; x < left.Width(); ++x) both->SetPixelAt(x, y, left.PixelAt(x, y));
  for (int y = 0; y < right.Height(); ++y)
    for (int x = 0; x < right.Width(); ++x) both->SetPixelAt(left.Width() + x, y, right.PixelAt(x, y));
  return both;
}

std::unique_ptr<TBitmap> GreyedCopy(const TBitmap& source) {
  auto grey = std::make_unique<TBitmap>(source.Width(), source.Height(), 24);
  for (int y = 0; y < source.Height(); ++y)
    for (int x = 0; x < source.Width(); ++x) {
      const TPixel p = source.PixelAt(x, y);
      const int level = (((p >> 16) & 0xFF) * 30 + ((p >> 8) & 0xFF) * 59 + (p & 0xFF) * 11) / 100;
      const auto light = static_cast<TPixel>(128 + level / 2);
      grey->SetPixelAt(x, y, light | (light << 8) | (light << 16));
    }
  return grey;
}
