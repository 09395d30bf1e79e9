#include "PlanarPixels.h"

#include <array>

#include "ByteShuffles.h"

namespace {

// `planes` in the order a pixel holds its channels: blue, green, red.
void InterleaveBytes(const std::uint8_t* const planes[3], std::uint8_t* bgr, std::size_t from, std::size_t count) {
  for (std::size_t x = from; x < count; ++x)
    for (int c = 0; c < 3; ++c) bgr[3 * x + c] = planes[c][x];
}

void SplitBytes(const std::uint8_t* bgr, std::uint8_t* const planes[3], std::size_t from, std::size_t count) {
  for (std::size_t x = from; x < count; ++x)
    for (int c = 0; c < 3; ++c) planes[c][x] = bgr[3 * x + c];
}

#if defined(__x86_64__)

// Sixteen pixels at a time: three 16-byte vectors of B, G, R bytes against one vector of each
// plane. Byte `i` of the pixels' vector `v` is byte (16v + i) / 3 of plane (16v + i) % 3; a
// shuffle mask picks, for one vector and one plane, the bytes that meet (0x80 picks zero).
using TMask = std::array<std::uint8_t, 16>;
constexpr int Pixels = 16;

constexpr TMask FromPlane(int vector, int plane) {
  TMask mask{};
  for (int i = 0; i < 16; ++i) {
    const int byte = 16 * vector + i;
    mask[i] = byte % 3 == plane ? static_cast<std::uint8_t>(byte / 3) : 0x80;
  }
  return mask;
}

constexpr TMask FromPixels(int plane, int vector) {
  TMask mask{};
  for (int x = 0; x < 16; ++x) {
    const int byte = 3 * x + plane;
    mask[x] = byte / 16 == vector ? static_cast<std::uint8_t>(byte % 16) : 0x80;
  }
  return mask;
}

// masks[to][from]: for each vector written, the masks of the three it is gathered from.
template <TMask (*Make)(int, int)>
constexpr std::array<std::array<TMask, 3>, 3> Masks() {
  std::array<std::array<TMask, 3>, 3> masks{};
  for (int to = 0; to < 3; ++to)
    for (int from = 0; from < 3; ++from) masks[to][from] = Make(to, from);
  return masks;
}
alignas(16) constexpr auto InterleaveMasks = Masks<FromPlane>();
alignas(16) constexpr auto SplitMasks = Masks<FromPixels>();

// Byte v[mask[i]] of each of three vectors, or'ed together.
QUENBREL_BYTE_SHUFFLES __m128i Gather(const __m128i v[3], const std::array<TMask, 3>& masks) {
  __m128i out = _mm_setzero_si128();
  for (int k = 0; k < 3; ++k) out = _mm_or_si128(out, _mm_shuffle_epi8(v[k], LoadBytes(masks[k].data())));
  return out;
}

QUENBREL_BYTE_SHUFFLES std::size_t InterleaveVectors(const std::uint8_t* const planes[3], std::uint8_t* bgr,
                                                     std::size_t count) {
  std::size_t x = 0;
  for (; x + Pixels <= count; x += Pixels) {
    const __m128i in[3] = {LoadBytes(planes[0] + x), LoadBytes(planes[1] + x), LoadBytes(planes[2] + x)};
    for (int v = 0; v < 3; ++v) StoreBytes(bgr + 3 * x + 16 * v, Gather(in, InterleaveMasks[v]));
  }
  return x;
}

QUENBREL_BYTE_SHUFFLES std::size_t SplitVectors(const std::uint8_t* bgr, std::uint8_t* const planes[3],
                                                std::size_t count) {
  std::size_t x = 0;
  for (; x + Pixels <= count; x += Pixels) {
    const __m128i in[3] = {LoadBytes(bgr + 3 * x), LoadBytes(bgr + 3 * x + 16), LoadBytes(bgr + 3 * x + 32)};
    for (int p = 0; p < 3; ++p) StoreBytes(planes[p] + x, Gather(in, SplitMasks[p]));
  }
  return x;
}

// Sixty-four pixels at a time: the same shuffles on four groups of 16 at once, one group in
// each 16-byte lane of the wide vectors.
constexpr int WidePixels = 64;

// (The masked forms of the wide intrinsics below spare GCC 12's warning about the unmasked
// forms' undefined start.)
QUENBREL_BYTE_COMPRESS __m512i Broadcast(const TMask& mask) {
  return _mm512_maskz_broadcast_i32x4(0xFFFF, LoadBytes(mask.data()));
}

QUENBREL_BYTE_COMPRESS __m512i WideGather(const __m512i v[3], const std::array<TMask, 3>& masks) {
  __m512i out = _mm512_setzero_si512();
  for (int k = 0; k < 3; ++k) out = _mm512_or_si512(out, _mm512_shuffle_epi8(v[k], Broadcast(masks[k])));
  return out;
}

// Vector k of each group of 16 pixels at `pixels`, the groups 48 bytes apart.
QUENBREL_BYTE_COMPRESS __m512i LoadGroups(const std::uint8_t* pixels) {
  __m512i v = _mm512_zextsi128_si512(LoadBytes(pixels));
  v = _mm512_inserti32x4(v, LoadBytes(pixels + 48), 1);
  v = _mm512_inserti32x4(v, LoadBytes(pixels + 96), 2);
  return _mm512_inserti32x4(v, LoadBytes(pixels + 144), 3);
}

QUENBREL_BYTE_COMPRESS void StoreGroups(std::uint8_t* pixels, __m512i v) {
  StoreBytes(pixels, _mm512_maskz_extracti32x4_epi32(0xF, v, 0));
  StoreBytes(pixels + 48, _mm512_maskz_extracti32x4_epi32(0xF, v, 1));
  StoreBytes(pixels + 96, _mm512_maskz_extracti32x4_epi32(0xF, v, 2));
  StoreBytes(pixels + 144, _mm512_maskz_extracti32x4_epi32(0xF, v, 3));
}

QUENBREL_BYTE_COMPRESS std::size_t InterleaveWideVectors(const std::uint8_t* const planes[3], std::uint8_t* bgr,
                                                         std::size_t count) {
  std::size_t x = 0;
  for (; x + WidePixels <= count; x += WidePixels) {
    const __m512i in[3] = {_mm512_loadu_si512(planes[0] + x), _mm512_loadu_si512(planes[1] + x),
                           _mm512_loadu_si512(planes[2] + x)};
    for (int v = 0; v < 3; ++v) StoreGroups(bgr + 3 * x + 16 * v, WideGather(in, InterleaveMasks[v]));
  }
  return x;
}

QUENBREL_BYTE_COMPRESS std::size_t SplitWideVectors(const std::uint8_t* bgr, std::uint8_t* const planes[3],
                                                    std::size_t count) {
  std::size_t x = 0;
  for (; x + WidePixels <= count; x += WidePixels) {
    const __m512i in[3] = {LoadGroups(bgr + 3 * x), LoadGroups(bgr + 3 * x + 16), LoadGroups(bgr + 3 * x + 32)};
    for (int p = 0; p < 3; ++p) _mm512_storeu_si512(planes[p] + x, WideGather(in, SplitMasks[p]));
  }
  return x;
}

// The widest vectors the machine has take what they can; the caller does the rest byte by byte.
std::size_t InterleaveFastest(const std::uint8_t* const planes[3], std::uint8_t* bgr, std::size_t count) {
  if (!HaveByteShuffles()) return 0;
  const std::size_t wide = HaveByteCompress() ? InterleaveWideVectors(planes, bgr, count) : 0;
  const std::uint8_t* const rest[3] = {planes[0] + wide, planes[1] + wide, planes[2] + wide};
  return wide + InterleaveVectors(rest, bgr + 3 * wide, count - wide);
}

std::size_t SplitFastest(const std::uint8_t* bgr, std::uint8_t* const planes[3], std::size_t count) {
  if (!HaveByteShuffles()) return 0;
  const std::size_t wide = HaveByteCompress() ? SplitWideVectors(bgr, planes, count) : 0;
  std::uint8_t* const rest[3] = {planes[0] + wide, planes[1] + wide, planes[2] + wide};
  return wide + SplitVectors(bgr + 3 * wide, rest, count - wide);
}

#else

std::size_t InterleaveFastest(const std::uint8_t* const[3], std::uint8_t*, std::size_t) { return 0; }
std::size_t SplitFastest(const std::uint8_t*, std::uint8_t* const[3], std::size_t) { return 0; }

#endif

}  // namespace

void InterleavePlanes(const std::uint8_t* red, const std::uint8_t* green, const std::uint8_t* blue, std::uint8_t* bgr,
                      std::size_t count) {
  const std::uint8_t* const planes[3] = {blue, green, red};
  const std::size_t done = InterleaveFastest(planes, bgr, count);
  InterleaveBytes(planes, bgr, done, count);
}

void SplitPlanes(const std::uint8_t* bgr, std::uint8_t* red, std::uint8_t* green, std::uint8_t* blue,
                 std::size_t count) {
  std::uint8_t* const planes[3] = {blue, green, red};
  const std::size_t done = SplitFastest(bgr, planes, count);
  SplitBytes(bgr, planes, done, count);
}
