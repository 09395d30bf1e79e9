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

std::unique_ptr<TBitmap> DoubledPixelArt(const TBitmap& source, const TRect& area) {
  auto doubled = std::make_unique<TBitmap>(2 * area.Width(), 2 * area.Height());
  // Beyond the area a pixel's neighbour is the pixel itself.
  const auto at = [&](int x, int y, int dx, int dy) {
    const bool inside = area.Contains(x + dx, y + dy);
    return source.PixelAt(inside ? x + dx : x, inside ? y + dy : y);
  };
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x) {
      const TPixel p = source.PixelAt(x, y), up = at(x, y, 0, -1), right = at(x, y, 1, 0), left = at(x, y, -1, 0),
                   down = at(x, y, 0, 1);
      const int dx = 2 * (x - area.Left), dy = 2 * (y - area.Top);
      doubled->SetPixelAt(dx, dy, left == up && left != down && up != right ? up : p);
      doubled->SetPixelAt(dx + 1, dy, up == right && up != left && right != down ? right : p);
      doubled->SetPixelAt(dx, dy + 1, down == left && down != right && left != up ? left : p);
      doubled->SetPixelAt(dx + 1, dy + 1, right == down && right != up && down != left ? down : p);
    }
  return doubled;
}
