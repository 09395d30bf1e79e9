#include "support/BitmapPicture.h"

#include <algorithm>

std::string BitmapPicture(const TBitmap& bitmap, const std::map<TColor, char>& legend) {
  std::string picture;
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      const auto found = legend.find(PixelToColor(bitmap.PixelAt(x, y)));
      picture += found == legend.end() ? '?' : found->second;
    }
    picture += '\n';
  }
  return picture;
}

TRect InkBounds(const TBitmap& bitmap, TColor background) {
  return InkBounds(bitmap, background, {0, 0, bitmap.Width(), bitmap.Height()});
}

TRect InkBounds(const TBitmap& bitmap, TColor background, const TRect& area) {
  TRect bounds{area.Right, area.Bottom, area.Left, area.Top};
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x) {
      if (PixelToColor(bitmap.PixelAt(x, y)) == background) continue;
      bounds = {std::min(bounds.Left, x), std::min(bounds.Top, y), std::max(bounds.Right, x + 1),
                std::max(bounds.Bottom, y + 1)};
    }
  return bounds.IsEmpty() ? TRect{} : bounds;
}

void FillBitmap(TBitmap& bitmap, TColor color) {
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) bitmap.SetPixelAt(x, y, ColorToPixel(color));
}
