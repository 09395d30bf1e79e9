#include "QuarterTurn.h"

#include <algorithm>
#include <cstring>

#include "framework/graphics/Bitmap.h"

namespace {

// Square tiles small enough that the rows of both pictures they touch stay in the cache.
constexpr int Tile = 32;

// Where source pixel (x, y) lands for a counter-clockwise turn of `quarters`.
struct TTurn {
  int Quarters;
  int Width;   // of the source
  int Height;  // of the source
  void Map(int x, int y, int& outX, int& outY) const {
    switch (Quarters) {
      case 1: outX = y; outY = Width - 1 - x; break;
      case 2: outX = Width - 1 - x; outY = Height - 1 - y; break;
      default: outX = Height - 1 - y; outY = x; break;
    }
  }
};

template <int InBytes>
void TurnTile(const TBitmap& in, const TTurn& turn, int x0, int y0, int x1, int y1, TBitmap& out) {
  for (int y = y0; y < y1; ++y) {
    const std::uint8_t* src = in.Row(y) + x0 * InBytes;
    for (int x = x0; x < x1; ++x, src += InBytes) {
      int ox, oy;
      turn.Map(x, y, ox, oy);
      std::memcpy(out.Row(oy) + 3 * ox, src, 3);
    }
  }
}

template <int InBytes>
void TurnTiles(const TBitmap& in, const TTurn& turn, TBitmap& out) {
  for (int y0 = 0; y0 < in.Height(); y0 += Tile)
    for (int x0 = 0; x0 < in.Width(); x0 += Tile)
      TurnTile<InBytes>(in, turn, x0, y0, std::min(x0 + Tile, in.Width()), std::min(y0 + Tile, in.Height()), out);
}

}  // namespace

void QuarterTurn(const TBitmap& in, int quarters, TBitmap& out) {
  const TTurn turn{quarters, in.Width(), in.Height()};
  if (in.PixelBits() == 32) TurnTiles<4>(in, turn, out);
  else TurnTiles<3>(in, turn, out);
}
