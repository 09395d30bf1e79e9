#include "PaletteLookup.h"

#include <algorithm>
#include <array>
#include <cstdint>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace {

#if defined(__x86_64__)

#define QUENBREL_BYTE_PERMUTES __attribute__((target("avx512f,avx512bw,avx512vbmi")))

// The byte unpacks of Pixels interleave within 128-bit lanes: lane L of their k-th result
// holds positions 16L + 4k ... 16L + 4k + 3. Indexes go in so reordered that each result holds
// 16 consecutive pixels: position 16L + 4k + j takes pixel 16k + 4L + j (counted from the
// other end of the 64 bytes loaded for a layer that reads backwards).
constexpr std::array<std::uint8_t, 64> IndexOrder(bool backwards) {
  std::array<std::uint8_t, 64> order{};
  for (int lane = 0; lane < 4; ++lane)
    for (int k = 0; k < 4; ++k)
      for (int j = 0; j < 4; ++j) {
        const int pixel = 16 * k + 4 * lane + j;
        order[16 * lane + 4 * k + j] = static_cast<std::uint8_t>(backwards ? 63 - pixel : pixel);
      }
  return order;
}
alignas(64) constexpr std::array<std::uint8_t, 64> kForwardOrder = IndexOrder(false);
alignas(64) constexpr std::array<std::uint8_t, 64> kBackwardOrder = IndexOrder(true);

// The palette's byte planes in registers, and the orders in which 64 indexes go in.
struct TWideTables {
  // Entries 0 to 127 and 128 to 255 of each channel, each from a pair of 64-byte tables.
  __m512i Low[3], LowUpper[3], High[3], HighUpper[3];
  __m512i Forward, Backward;
};

QUENBREL_BYTE_PERMUTES TWideTables WideTables(const std::uint8_t (&planes)[3][256]) {
  TWideTables tables;
  for (int c = 0; c < 3; ++c) {
    tables.Low[c] = _mm512_load_si512(planes[c]);
    tables.LowUpper[c] = _mm512_load_si512(planes[c] + 64);
    tables.High[c] = _mm512_load_si512(planes[c] + 128);
    tables.HighUpper[c] = _mm512_load_si512(planes[c] + 192);
  }
  tables.Forward = _mm512_load_si512(kForwardOrder.data());
  tables.Backward = _mm512_load_si512(kBackwardOrder.data());
  return tables;
}

// The pixel values of 64 indexes, 16 to a register, in the order given.
QUENBREL_BYTE_PERMUTES void Pixels(const TWideTables& tables, __m512i loaded, __m512i order, __m512i (&pixels)[4]) {
  // Masked with all lanes: the unmasked form trips GCC's uninitialised-value warning.
  const __m512i index = _mm512_maskz_permutexvar_epi8(~__mmask64{0}, order, loaded);
  const __mmask64 upperHalf = _mm512_movepi8_mask(index);
  __m512i channel[3];
  for (int c = 0; c < 3; ++c)
    channel[c] = _mm512_mask_blend_epi8(upperHalf, _mm512_permutex2var_epi8(tables.Low[c], index, tables.LowUpper[c]),
                                        _mm512_permutex2var_epi8(tables.High[c], index, tables.HighUpper[c]));
  const __m512i zero = _mm512_setzero_si512();
  const __m512i blueGreenLow = _mm512_unpacklo_epi8(channel[0], channel[1]);
  const __m512i blueGreenHigh = _mm512_unpackhi_epi8(channel[0], channel[1]);
  const __m512i redLow = _mm512_unpacklo_epi8(channel[2], zero);
  const __m512i redHigh = _mm512_unpackhi_epi8(channel[2], zero);
  pixels[0] = _mm512_unpacklo_epi16(blueGreenLow, redLow);
  pixels[1] = _mm512_unpackhi_epi16(blueGreenLow, redLow);
  pixels[2] = _mm512_unpacklo_epi16(blueGreenHigh, redHigh);
  pixels[3] = _mm512_unpackhi_epi16(blueGreenHigh, redHigh);
}

// The pixels of the `count` (at most 64) indexes that a layer reads from `at` on in its
// direction. Masked loads touch nothing beyond them.
QUENBREL_BYTE_PERMUTES void LayerPixels(const TWideTables& tables, const std::uint8_t* at, int step, int count,
                                        __m512i (&pixels)[4]) {
  const __mmask64 first = count < 64 ? (__mmask64{1} << count) - 1 : ~__mmask64{0};
  if (step > 0) Pixels(tables, _mm512_maskz_loadu_epi8(first, at), tables.Forward, pixels);
  else Pixels(tables, _mm512_maskz_loadu_epi8(first << (64 - count), at - 63), tables.Backward, pixels);
}

// Writes past the caches: a pattern is read again only by frames to come, and at screen sizes
// it does not fit them anyway. `out` lies on a 64-byte boundary. Returns how many leading
// pixels it made: all but fewer than 64 at the end.
QUENBREL_BYTE_PERMUTES int RowWide(std::uint32_t* out, const std::uint8_t* indexes, int count,
                                   const std::uint8_t (&planes)[3][256]) {
  const TWideTables tables = WideTables(planes);
  int x = 0;
  for (; x + 64 <= count; x += 64) {
    __m512i pixels[4];
    LayerPixels(tables, indexes + x, 1, 64, pixels);
    for (int k = 0; k < 4; ++k) _mm512_stream_si512(reinterpret_cast<__m512i*>(out + x + 16 * k), pixels[k]);
  }
  _mm_sfence();
  return x;
}

QUENBREL_BYTE_PERMUTES void SumWide(std::uint32_t* out, const std::uint8_t* a, int stepA, const std::uint8_t* b,
                                    int stepB, int count, const std::uint8_t (&planes)[3][256]) {
  const TWideTables tables = WideTables(planes);
  for (int x = 0; x < count; x += 64) {
    const int block = std::min(count - x, 64);
    __m512i first[4], second[4];
    LayerPixels(tables, a + stepA * x, stepA, block, first);
    LayerPixels(tables, b + stepB * x, stepB, block, second);
    for (int k = 0; k < 4 && 16 * k < block; ++k) {
      const __mmask16 stored = block - 16 * k < 16 ? static_cast<__mmask16>((1u << (block - 16 * k)) - 1) : 0xFFFF;
      _mm512_mask_storeu_epi32(out + x + 16 * k, stored, _mm512_add_epi32(first[k], second[k]));
    }
  }
}

bool CanGoWide() { return __builtin_cpu_supports("avx512vbmi"); }

#else

int RowWide(std::uint32_t*, const std::uint8_t*, int, const std::uint8_t (&)[3][256]) { return 0; }
void SumWide(std::uint32_t*, const std::uint8_t*, int, const std::uint8_t*, int, int, const std::uint8_t (&)[3][256]) {}
bool CanGoWide() { return false; }

#endif

}  // namespace

TPaletteLookup::TPaletteLookup(const std::array<std::uint32_t, 256>& palette) : FPalette(palette) {
  for (int i = 0; i < 256; ++i)
    for (int c = 0; c < 3; ++c) FPlanes[c][i] = static_cast<std::uint8_t>(palette[i] >> (8 * c));
  FWide = CanGoWide() && std::all_of(palette.begin(), palette.end(), [](std::uint32_t p) { return p >> 24 == 0; });
}

void TPaletteLookup::Row(std::uint32_t* pixels, const std::uint8_t* indexes, int count) const {
  int done = 0;
  if (FWide) {
    // Streaming stores write whole 64-byte lines: the pixels before the first go one by one.
    const auto misalignment = static_cast<int>(reinterpret_cast<std::uintptr_t>(pixels) % 64);
    done = std::min(count, (64 - misalignment) % 64 / 4);
    RowPlain(pixels, indexes, done);
    done += RowWide(pixels + done, indexes + done, count - done, FPlanes);
  }
  RowPlain(pixels + done, indexes + done, count - done);
}

void TPaletteLookup::RowPlain(std::uint32_t* pixels, const std::uint8_t* indexes, int count) const {
  for (int x = 0; x < count; ++x) pixels[x] = FPalette[indexes[x]];
}

bool TPaletteLookup::Sum(std::uint32_t* sums, const std::uint8_t* a, int stepA, const std::uint8_t* b, int stepB,
                         int count) const {
  if (FWide) SumWide(sums, a, stepA, b, stepB, count, FPlanes);
  return FWide;
}
