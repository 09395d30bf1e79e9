#include "AppGlyphs.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "framework/graphics/PixelArt.h"

std::unique_ptr<TBitmap> LightBulbGlyph() {
  const auto lit = BitmapFromArt(
      {
          "................",
          ".....kkkkkk.....",
          "....kYYYYWWk....",
          "...kYYYYYYWWk...",
          "...kYYYYYYYWk...",
          "...kYYYYYYYYk...",
          "...kYYYYYYYYk...",
          "....kYYYYYYk....",
          ".....kYYYYk.....",
          ".....kyYYyk.....",
          "......kyyk......",
          "......sSSs......",
          "......ssss......",
          "......sSSs......",
          ".......ss.......",
          "................",
      },
      {{'.', clOlive},
       {'k', RGB(96, 80, 0)},
       {'Y', RGB(255, 240, 0)},
       {'W', clWhite},
       {'y', RGB(200, 160, 0)},
       {'s', RGB(96, 96, 96)},
       {'S', RGB(176, 176, 176)}});
  return SideBySide(*lit, *GreyedCopy(*lit));
}

namespace {

using TColourAt = TColor (*)(int x, int y);

TColor UnionFlagAt(int x, int y) {
  const double u = (x + 0.5) / 27.0;  // 0 ... 1 across
  const double v = (y + 0.5) / 16.0;  // 0 ... 1 down
  const double toDiagonal = std::min(std::abs(u - v), std::abs(u - (1 - v)));
  if (std::abs(u - 0.5) < 0.07 || std::abs(v - 0.5) < 0.11) return clRed;
  if (std::abs(u - 0.5) < 0.13 || std::abs(v - 0.5) < 0.22) return clWhite;
  if (toDiagonal < 0.035) return clRed;
  if (toDiagonal < 0.09) return clWhite;
  return RGB(0, 36, 125);
}

TColor GalicianAt(int x, int y) {
  // A light-blue band from the top-left to the bottom-right corner.
  const double offDiagonal = std::abs(y - x * 16.0 / 27.0);
  return offDiagonal < 2.6 ? RGB(0, 153, 204) : clWhite;
}

TColor SpanishAt(int, int y) { return y < 4 || y >= 12 ? RGB(198, 11, 30) : RGB(255, 196, 0); }

// Cloth in a breeze: a brightness wave runs across the flag, slanting down the rows.
TPixel Shaded(TColor colour, int x, int y) {
  const double shade = 1.0 + 0.22 * std::sin(2 * std::numbers::pi * (x / 13.5 - y / 32.0));
  const auto channel = [&](int shift) {
    return static_cast<TPixel>(std::clamp(static_cast<int>(((colour >> shift) & 0xFF) * shade), 0, 255));
  };
  return ColorToPixel(RGB(channel(0), channel(8), channel(16)));
}

}  // namespace

std::unique_ptr<TBitmap> FlagGlyph(TFlag flag) {
  const TColourAt colourAt = flag == TFlag::UnionFlag ? UnionFlagAt : flag == TFlag::Galician ? GalicianAt : SpanishAt;
  auto bitmap = std::make_unique<TBitmap>(27, 16, 24);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 27; ++x) bitmap->SetPixelAt(x, y, Shaded(colourAt(x, y), x, y));
  // Buttons take the colour of a glyph's bottom-left pixel as transparent. A colour that no
  // flag holds keeps the cloth whole at the cost of that one corner.
  bitmap->SetPixelAt(0, 15, ColorToPixel(clFuchsia));
  return bitmap;
}
