#include "PcxRunVectors.h"

#include <algorithm>
#include <array>
#include <bit>

#include "ByteShuffles.h"

#if defined(__x86_64__)

namespace {

constexpr std::size_t Block = 16;

// Both kernels lay the block out as 32 slots, two for each byte, and then pack the slots that
// count to the front, eight at a time: entry m of the table moves the slots flagged in m,
// in order, to the front of eight.
using TPacking = std::array<std::uint8_t, 16>;

constexpr std::array<TPacking, 256> Packings() {
  std::array<TPacking, 256> table{};
  for (unsigned m = 0; m < 256; ++m) {
    unsigned to = 0;
    for (unsigned from = 0; from < 8; ++from)
      if (m & (1u << from)) table[m][to++] = static_cast<std::uint8_t>(from);
  }
  return table;
}
alignas(16) constexpr std::array<TPacking, 256> Packing = Packings();

// Bit i of a byte's mask at bit 2i: the flags of a byte's first slot among all 32.
constexpr std::array<std::uint16_t, 256> Spreads() {
  std::array<std::uint16_t, 256> table{};
  for (unsigned m = 0; m < 256; ++m)
    for (unsigned bit = 0; bit < 8; ++bit)
      if (m & (1u << bit)) table[m] = static_cast<std::uint16_t>(table[m] | (1u << (2 * bit)));
  return table;
}
constexpr std::array<std::uint16_t, 256> Spread = Spreads();

std::uint32_t Interleaved(unsigned first, unsigned second) {
  const auto spread16 = [](unsigned m) {
    return std::uint32_t{Spread[m & 0xFF]} | std::uint32_t{Spread[(m >> 8) & 0xFF]} << 16;
  };
  return spread16(first) | spread16(second) << 1;
}

// Slots below 2 * `bytes` only.
std::uint32_t SlotsOf(std::size_t bytes) {
  return bytes >= 16 ? ~std::uint32_t{0} : (std::uint32_t{1} << (2 * bytes)) - 1;
}

QUENBREL_BYTE_SHUFFLES unsigned Mask(__m128i flags) { return static_cast<unsigned>(_mm_movemask_epi8(flags)); }

QUENBREL_BYTE_SHUFFLES __m128i High(__m128i bytes) {
  const __m128i c0 = _mm_set1_epi8(static_cast<char>(0xC0));
  return _mm_cmpeq_epi8(_mm_and_si128(bytes, c0), c0);
}

// Writes the slots of `low` (bytes 0-7) and `high` (8-15) flagged in `keep`, in order.
QUENBREL_BYTE_SHUFFLES void Pack(__m128i low, __m128i high, std::uint32_t keep, std::uint8_t*& out) {
  const __m128i eights[4] = {low, _mm_srli_si128(low, 8), high, _mm_srli_si128(high, 8)};
  for (const __m128i slots : eights) {
    const unsigned m = keep & 0xFF;
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_shuffle_epi8(slots, LoadBytes(Packing[m].data())));
    out += std::popcount(m);
    keep >>= 8;
  }
}

// For each byte that begins a run, the position of the next that does, or 16.
QUENBREL_BYTE_SHUFFLES __m128i NextStarts(__m128i starts, __m128i index) {
  const __m128i none = _mm_set1_epi8(16);
  __m128i next = _mm_or_si128(_mm_and_si128(starts, index), _mm_andnot_si128(starts, none));
  // The least of each byte and those after it, then of those after it only.
  next = _mm_min_epu8(next, _mm_alignr_epi8(none, next, 1));
  next = _mm_min_epu8(next, _mm_alignr_epi8(none, next, 2));
  next = _mm_min_epu8(next, _mm_alignr_epi8(none, next, 4));
  next = _mm_min_epu8(next, _mm_alignr_epi8(none, next, 8));
  return _mm_alignr_epi8(none, next, 1);
}

// Codes the runs that start in plane[0..15] and end by plane[16] onto `out`, and returns how
// many plane bytes it took: none when plane[0] begins a run that goes on past the block.
QUENBREL_BYTE_SHUFFLES std::size_t CodeBlock(const std::uint8_t* plane, std::uint8_t*& out) {
  const __m128i bytes = LoadBytes(plane);
  const __m128i sameAsNext = _mm_cmpeq_epi8(bytes, LoadBytes(plane + 1));
  const unsigned continues = Mask(sameAsNext);
  if (continues == 0xFFFF) return 0;
  const __m128i starts = _mm_xor_si128(_mm_slli_si128(sameAsNext, 1), _mm_set1_epi8(-1));
  // A run still going at the block's end is left for the next call.
  const unsigned lastStart = 31 - static_cast<unsigned>(std::countl_zero(std::uint32_t{Mask(starts)}));
  const std::size_t taken = continues & 0x8000 ? lastStart : 16;

  const __m128i index = _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
  const __m128i lengths = _mm_sub_epi8(NextStarts(starts, index), index);
  const __m128i markers = _mm_or_si128(lengths, _mm_set1_epi8(static_cast<char>(0xC0)));
  const __m128i marked = _mm_and_si128(starts, _mm_or_si128(_mm_cmpgt_epi8(lengths, _mm_set1_epi8(1)), High(bytes)));
  // Slot 2i holds byte i's marker, slot 2i + 1 the byte itself.
  const std::uint32_t keep = Interleaved(Mask(marked), Mask(starts)) & SlotsOf(taken);
  Pack(_mm_unpacklo_epi8(markers, bytes), _mm_unpackhi_epi8(markers, bytes), keep, out);
  return taken;
}

// A block may end on a marker: its value opens the next block.
struct TMarkerCarried {
  unsigned Carried = 0;
  int Count = 0;
};

// Decodes coded[0..15] onto `out`, at most 17 bytes, and returns how many coded bytes it took:
// 16, or, at a run of more than two, the position of its marker, which is -1 for the marker
// carried into the block.
QUENBREL_BYTE_SHUFFLES std::ptrdiff_t DecodeBlock(const std::uint8_t* coded, std::uint8_t*& out,
                                                  TMarkerCarried& carry) {
  const __m128i bytes = LoadBytes(coded);
  // A carried marker's value, high or not, is no marker.
  const unsigned markers = PcxMarkers(Mask(High(bytes)) & ~carry.Carried, 0x5555u);
  const unsigned values = ((markers << 1) | carry.Carried) & 0xFFFF;

  // Each value's count, from the marker before it.
  const __m128i counts =
      _mm_or_si128(_mm_and_si128(_mm_slli_si128(bytes, 1), _mm_set1_epi8(0x3F)), _mm_cvtsi32_si128(carry.Count));
  const unsigned longRuns = Mask(_mm_cmpgt_epi8(counts, _mm_set1_epi8(2))) & values;
  std::ptrdiff_t taken = Block;
  std::uint32_t slots = ~std::uint32_t{0};
  if (longRuns) {
    // Stop at its marker.
    taken = std::countr_zero(longRuns) - 1;
    slots = SlotsOf(static_cast<std::size_t>(std::max<std::ptrdiff_t>(taken, 0)));
  }
  carry = {markers >> 15, coded[15] & 0x3F};

  // Slot 2i is byte i once, slot 2i + 1 its second copy: a plain byte fills the first, a value
  // as many as its count, a marker none.
  const unsigned plain = ~(markers | values) & 0xFFFF;
  const unsigned once = plain | (values & Mask(_mm_cmpgt_epi8(counts, _mm_setzero_si128())));
  const unsigned twice = values & Mask(_mm_cmpeq_epi8(counts, _mm_set1_epi8(2)));
  Pack(_mm_unpacklo_epi8(bytes, bytes), _mm_unpackhi_epi8(bytes, bytes), Interleaved(once, twice) & slots, out);
  return taken;
}

}  // namespace

QUENBREL_BYTE_SHUFFLES std::size_t PcxCodeBlocks(const std::uint8_t* plane, std::size_t limit, std::uint8_t*& out) {
  std::uint8_t* to = out;
  std::size_t n = 0;
  while (n + Block <= limit) {
    const std::size_t taken = CodeBlock(plane + n, to);
    if (taken == 0) break;
    n += taken;
  }
  out = to;
  return n;
}

QUENBREL_BYTE_SHUFFLES std::size_t PcxDecodeBlocks(const std::uint8_t* coded, std::size_t available, std::uint8_t*& out,
                                                   std::size_t room) {
  constexpr std::size_t mostWritten = Block + 1;
  std::uint8_t* to = out;
  std::size_t n = 0;
  TMarkerCarried carry;
  while (n + Block <= available && static_cast<std::size_t>(to - out) + mostWritten <= room) {
    const std::ptrdiff_t taken = DecodeBlock(coded + n, to, carry);
    n += taken;
    if (taken < static_cast<std::ptrdiff_t>(Block)) {
      carry = {};
      break;
    }
  }
  out = to;
  // A marker carried out of the last block is the caller's to read again.
  return n - carry.Carried;
}

#else

// Never called: HaveByteShuffles() is false here.
std::size_t PcxCodeBlocks(const std::uint8_t*, std::size_t, std::uint8_t*&) { return 0; }
std::size_t PcxDecodeBlocks(const std::uint8_t*, std::size_t, std::uint8_t*&, std::size_t) { return 0; }

#endif
