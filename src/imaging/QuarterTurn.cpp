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

std::uint32_t Load4(const std::uint8_t* p) {
  std::uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}
void Store4(std::uint8_t* p, std::uint32_t v) { std::memcpy(p, &v, 4); }

// One run of pixels: `count` source pixels `inStep` bytes apart to turned places `outStep`
// bytes apart, along a row of the turned picture (outStep is 3 or -3). A pixel moves as one
// 4-byte word whose spare byte lands where the next pixel of the run goes, so that it is
// written over at once; the run's last pixel, and any read that could pass `inEnd`, move
// byte by byte.
void CopyRun(const std::uint8_t* __restrict src, std::ptrdiff_t inStep, const std::uint8_t* inEnd,
             std::uint8_t* __restrict dst, std::ptrdiff_t outStep, int count) {
  for (int i = 0; i < count; ++i, src += inStep, dst += outStep) {
    if (i + 1 == count || src + 4 > inEnd) {
      std::memcpy(dst, src, 3);
    } else if (outStep > 0) {
      Store4(dst, Load4(src));
    } else {
      Store4(dst - 1, Load4(src) << 8);
    }
  }
}

// Within a tile, the inner loop runs along the turned picture's rows, so that writes are
// sequential and only the reads stride across rows.
template <int InBytes>
void TurnTiles(const TBitmap& in, const TTurnSteps steps, std::uint8_t* out) {
  const int width = in.Width(), height = in.Height();
  const auto inStride = static_cast<std::ptrdiff_t>(in.Stride());
  const std::uint8_t* const inBase = in.Row(0);
  const std::uint8_t* const inEnd = inBase + inStride * height;
  const bool alongX = steps.StepX == 3 || steps.StepX == -3;
  for (int y0 = 0; y0 < height; y0 += Tile) {
    const int y1 = std::min(y0 + Tile, height);
    for (int x0 = 0; x0 < width; x0 += Tile) {
      const int x1 = std::min(x0 + Tile, width);
      if (alongX) {
        for (int y = y0; y < y1; ++y)
          CopyRun(inBase + y * inStride + x0 * InBytes, InBytes, inEnd,
                  out + steps.Origin + x0 * steps.StepX + y * steps.StepY, steps.StepX, x1 - x0);
      } else {
        for (int x = x0; x < x1; ++x)
          CopyRun(inBase + y0 * inStride + x * InBytes, inStride, inEnd,
                  out + steps.Origin + x * steps.StepX + y0 * steps.StepY, steps.StepY, y1 - y0);
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
