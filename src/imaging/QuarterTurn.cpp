#include "QuarterTurn.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "framework/graphics/Bitmap.h"

namespace {

// Square tiles small enough that the rows of both pictures they touch stay in the cache.
constexpr int Tile = 64;

// A quarter turn moves source pixel (x, y) to a place that is linear in x and y: the byte
// offset Origin + x * StepX + y * StepY of the turned picture.
struct TTurnSteps {
  std::ptrdiff_t Origin;
  std::ptrdiff_t StepX;
  std::ptrdiff_t StepY;
};

TTurnSteps Steps(int quarters, int width, int height, std::ptrdiff_t stride) {
  switch (quarters) {
    case 1: return {(width - 1) * stride, -stride, 3};                      // (y, W-1-x)
    case 2: return {(height - 1) * stride + (width - 1) * 3, -3, -stride};  // (W-1-x, H-1-y)
    default: return {(height - 1) * 3, stride, -3};                         // (H-1-y, x)
  }
}

template <int InBytes>
void TurnTiles(const TBitmap& in, const TTurnSteps& steps, std::uint8_t* out) {
  const int width = in.Width(), height = in.Height();
  for (int y0 = 0; y0 < height; y0 += Tile) {
    const int y1 = std::min(y0 + Tile, height);
    for (int x0 = 0; x0 < width; x0 += Tile) {
      const int x1 = std::min(x0 + Tile, width);
      for (int y = y0; y < y1; ++y) {
        const std::uint8_t* src = in.Row(y) + x0 * InBytes;
        std::uint8_t* dst = out + steps.Origin + x0 * steps.StepX + y * steps.StepY;
        for (int x = x0; x < x1; ++x, src += InBytes, dst += steps.StepX) std::memcpy(dst, src, 3);
      }
    }
  }
}

}  // namespace

void QuarterTurn(const TBitmap& in, int quarters, TBitmap& out) {
  const TTurnSteps steps = Steps(quarters, in.Width(), in.Height(), static_cast<std::ptrdiff_t>(out.Stride()));
  if (in.PixelBits() == 32) TurnTiles<4>(in, steps, out.Row(0));
  else TurnTiles<3>(in, steps, out.Row(0));
}
