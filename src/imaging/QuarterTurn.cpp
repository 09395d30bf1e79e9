#include "QuarterTurn.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "ByteShuffles.h"
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

// The pixels of the source picture to turn: [X0, X1) x [Y0, Y1).
struct TArea {
  int X0, Y0, X1, Y1;
};

// Both pictures of a turn, as the loops see them.
struct TTurnPlan {
  const std::uint8_t* InBase;
  const std::uint8_t* InEnd;
  std::ptrdiff_t InStride;
  std::uint8_t* Out;
  TTurnSteps Steps;
};

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
void TurnTiles(const TTurnPlan& plan, const TArea area) {
  const TTurnSteps steps = plan.Steps;
  const bool alongX = steps.StepX == 3 || steps.StepX == -3;
  for (int y0 = area.Y0; y0 < area.Y1; y0 += Tile) {
    const int y1 = std::min(y0 + Tile, area.Y1);
    for (int x0 = area.X0; x0 < area.X1; x0 += Tile) {
      const int x1 = std::min(x0 + Tile, area.X1);
      if (alongX) {
        for (int y = y0; y < y1; ++y)
          CopyRun(plan.InBase + y * plan.InStride + x0 * InBytes, InBytes, plan.InEnd,
                  plan.Out + steps.Origin + x0 * steps.StepX + y * steps.StepY, steps.StepX, x1 - x0);
      } else {
        for (int x = x0; x < x1; ++x)
          CopyRun(plan.InBase + y0 * plan.InStride + x * InBytes, plan.InStride, plan.InEnd,
                  plan.Out + steps.Origin + x * steps.StepX + y0 * steps.StepY, steps.StepY, y1 - y0);
      }
    }
  }
}

#if defined(__x86_64__)

// Quarter turns of 4 x 4 pixel blocks in vector registers: each source row's four pixels
// widen to 32-bit lanes, the 4 x 4 lanes transpose, and each turned row's four pixels narrow
// back to 12 bytes.
constexpr int Block = 4;

// Source columns turned together, and how many rows ahead of the band its reads are asked for.
// A wide band reads each source row in a long burst (1.5 KB), which memory serves far better
// than short reads 12 KB apart, while the 512 turned rows it fills (4.6 MB when the source is
// 3000 pixels high) stay small enough for the cache.
// Bands of 64 columns took half as long again on a 4000 x 3000 picture.
constexpr int Band = 512;
constexpr int Ahead = 32;

template <int InBytes>
QUENBREL_BYTE_SHUFFLES __m128i LoadWidened(const std::uint8_t* p) {
  const __m128i bytes = LoadBytes(p);
  if constexpr (InBytes == 4) return bytes;
  return _mm_shuffle_epi8(bytes, _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1));
}

QUENBREL_BYTE_SHUFFLES void StoreNarrowed(std::uint8_t* p, __m128i pixels) {
  const __m128i bytes = _mm_shuffle_epi8(pixels, _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1));
  _mm_storel_epi64(reinterpret_cast<__m128i*>(p), bytes);
  Store4(p + 8, static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(bytes, 8))));
}

// One block: `in` holds the four source rows in the order their pixels go along a turned row,
// `out` the four turned rows in the order of the source pixels.
template <int InBytes>
QUENBREL_BYTE_SHUFFLES void TurnBlock(const std::uint8_t* const in[Block], std::uint8_t* const out[Block]) {
  const __m128i r0 = LoadWidened<InBytes>(in[0]), r1 = LoadWidened<InBytes>(in[1]);
  const __m128i r2 = LoadWidened<InBytes>(in[2]), r3 = LoadWidened<InBytes>(in[3]);
  const __m128i low01 = _mm_unpacklo_epi32(r0, r1), low23 = _mm_unpacklo_epi32(r2, r3);
  const __m128i high01 = _mm_unpackhi_epi32(r0, r1), high23 = _mm_unpackhi_epi32(r2, r3);
  StoreNarrowed(out[0], _mm_unpacklo_epi64(low01, low23));
  StoreNarrowed(out[1], _mm_unpackhi_epi64(low01, low23));
  StoreNarrowed(out[2], _mm_unpacklo_epi64(high01, high23));
  StoreNarrowed(out[3], _mm_unpackhi_epi64(high01, high23));
}

// Turns the blocks of `area` (whole blocks, every 16-byte read inside the source) by one or
// three quarters: the turned rows run along the source's columns. Each band of columns goes
// down the whole picture, so that the turned rows it fills are written from start to end, a
// fresh page at a time, and its reads ask for the rows `Ahead` ahead.
template <int InBytes>
QUENBREL_BYTE_SHUFFLES void TurnBlocks(const TTurnPlan& plan, const TArea area) {
  const TTurnSteps steps = plan.Steps;
  // Along a turned row the source rows come downwards (StepY > 0) or upwards.
  const bool downwards = steps.StepY > 0;
  for (int band = area.X0; band < area.X1; band += Band) {
    const int bandEnd = std::min(band + Band, area.X1);
    for (int y = area.Y0; y < area.Y1; y += Block) {
      const std::uint8_t* in[Block];
      for (int j = 0; j < Block; ++j) in[j] = plan.InBase + (downwards ? y + j : y + Block - 1 - j) * plan.InStride;
      const std::ptrdiff_t ahead = y + Ahead + Block <= area.Y1 ? Ahead * plan.InStride : 0;
      // The turned place of the block's first pixel along its turned rows.
      const std::ptrdiff_t column = steps.Origin + (downwards ? y : y + Block - 1) * steps.StepY;
      for (int x = band; x < bandEnd; x += Block) {
        const std::uint8_t* at[Block];
        std::uint8_t* out[Block];
        for (int k = 0; k < Block; ++k) {
          at[k] = in[k] + x * InBytes;
          _mm_prefetch(reinterpret_cast<const char*>(at[k] + ahead), _MM_HINT_T0);
          out[k] = plan.Out + column + (x + k) * steps.StepX;
        }
        TurnBlock<InBytes>(at, out);
      }
    }
  }
}

// The part of the picture that whole blocks cover and whose reads stay inside it: a 16-byte
// read at the last block of the last row may pass the end of the picture.
TArea BlockArea(const TTurnPlan& plan, int width, int height, int inBytes) {
  TArea area{0, 0, width / Block * Block, height / Block * Block};
  if (area.X1 == 0 || area.Y1 == 0) return area;
  const std::uint8_t* lastRead = plan.InBase + (area.Y1 - 1) * plan.InStride + (area.X1 - Block) * inBytes;
  if (plan.InEnd - lastRead < 16) area.X1 -= Block;
  return area;
}

template <int InBytes>
bool TurnByBlocks(const TTurnPlan& plan, int width, int height) {
  if (plan.Steps.StepY != 3 && plan.Steps.StepY != -3) return false;
  if (!HaveByteShuffles()) return false;
  const TArea blocks = BlockArea(plan, width, height, InBytes);
  TurnBlocks<InBytes>(plan, blocks);
  // The columns right of the blocks, then the rows below them.
  TurnTiles<InBytes>(plan, {blocks.X1, 0, width, height});
  TurnTiles<InBytes>(plan, {0, blocks.Y1, blocks.X1, height});
  return true;
}

#else

template <int InBytes>
bool TurnByBlocks(const TTurnPlan&, int, int) {
  return false;
}

#endif

template <int InBytes>
void Turn(const TBitmap& in, const TTurnSteps steps, std::uint8_t* out) {
  const auto inStride = static_cast<std::ptrdiff_t>(in.Stride());
  const TTurnPlan plan{in.Row(0), in.Row(0) + inStride * in.Height(), inStride, out, steps};
  if (!TurnByBlocks<InBytes>(plan, in.Width(), in.Height())) TurnTiles<InBytes>(plan, {0, 0, in.Width(), in.Height()});
}

}  // namespace

void QuarterTurn(const TBitmap& in, int quarters, TBitmap& out) {
  const TTurnSteps steps = Steps(quarters, in.Width(), in.Height(), static_cast<std::ptrdiff_t>(out.Stride()));
  if (in.PixelBits() == 32) Turn<4>(in, steps, out.Row(0));
  else Turn<3>(in, steps, out.Row(0));
}
