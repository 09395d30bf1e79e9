#include "PaletteLookup.h"

#include <algorithm>
#include <cstdint>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace {

#if defined(__x86_64__)

// The byte unpacks below interleave within 128-bit lanes: lane L of the k-th result holds
// positions 16L + 4k ... 16L + 4k + 3. Indexes go in so reordered that each result holds 16
// consecutive pixels: position 16L + 4k + j takes pixel 16k + 4L + j.
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) __m512i LaneOrder() {
  alignas(64) std::uint8_t order[64];
  for (int lane = 0; lane < 4; ++lane)
    for (int k = 0; k < 4; ++k)
      for (int j = 0; j < 4; ++j) order[16 * lane + 4 * k + j] = static_cast<std::uint8_t>(16 * k + 4 * lane + j);
  return _mm512_load_si512(order);
}

// Writes past the caches: a pattern is read again only by frames to come, and at screen sizes
// it does not fit them anyway. `pixels` lies on a 64-byte boundary. Returns how many leading
// pixels it made: all but fewer than 64 at the end.
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) int RowWide(std::uint32_t* pixels, const std::uint8_t* indexes,
                                                                     int count, const std::uint8_t (&planes)[3][256]) {
  __m512i low[3], high[3], lowUpper[3], highUpper[3];
  for (int c = 0; c < 3; ++c) {
    low[c] = _mm512_load_si512(planes[c]);
    lowUpper[c] = _mm512_load_si512(planes[c] + 64);
    high[c] = _mm512_load_si512(planes[c] + 128);
    highUpper[c] = _mm512_load_si512(planes[c] + 192);
  }
  const __m512i order = LaneOrder();
  const __m512i zero = _mm512_setzero_si512();
  int x = 0;
  for (; x + 64 <= count; x += 64) {
    // Masked with all lanes: the unmasked form trips GCC's uninitialised-value warning.
    const __m512i index = _mm512_maskz_permutexvar_epi8(~__mmask64{0}, order, _mm512_loadu_si512(indexes + x));
    // Entries 0 to 127 and 128 to 255 each come from a pair of 64-byte tables; bit 7 chooses.
    const __mmask64 upperHalf = _mm512_movepi8_mask(index);
    __m512i channel[3];
    for (int c = 0; c < 3; ++c)
      channel[c] = _mm512_mask_blend_epi8(upperHalf, _mm512_permutex2var_epi8(low[c], index, lowUpper[c]),
                                          _mm512_permutex2var_epi8(high[c], index, highUpper[c]));
    const __m512i blueGreenLow = _mm512_unpacklo_epi8(channel[0], channel[1]);
    const __m512i blueGreenHigh = _mm512_unpackhi_epi8(channel[0], channel[1]);
    const __m512i redLow = _mm512_unpacklo_epi8(channel[2], zero);
    const __m512i redHigh = _mm512_unpackhi_epi8(channel[2], zero);
    _mm512_stream_si512(reinterpret_cast<__m512i*>(pixels + x), _mm512_unpacklo_epi16(blueGreenLow, redLow));
    _mm512_stream_si512(reinterpret_cast<__m512i*>(pixels + x + 16), _mm512_unpackhi_epi16(blueGreenLow, redLow));
    _mm512_stream_si512(reinterpret_cast<__m512i*>(pixels + x + 32), _mm512_unpacklo_epi16(blueGreenHigh, redHigh));
    _mm512_stream_si512(reinterpret_cast<__m512i*>(pixels + x + 48), _mm512_unpackhi_epi16(blueGreenHigh, redHigh));
  }
  _mm_sfence();
  return x;
}

bool CanGoWide() { return __builtin_cpu_supports("avx512vbmi"); }

#else

int RowWide(std::uint32_t*, const std::uint8_t*, int, const std::uint8_t (&)[3][256]) { return 0; }
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
