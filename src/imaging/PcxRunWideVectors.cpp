#include <algorithm>
#include <array>
#include <bit>

#include "ByteShuffles.h"
#include "PcxRunVectors.h"

#if defined(__x86_64__)

namespace {

constexpr std::size_t Wide = 64;
constexpr std::uint64_t EvenBits = 0x5555555555555555u;
constexpr std::uint64_t OddBits = ~EvenBits;

using TIndexes = std::array<std::uint8_t, Wide>;

// Byte i of the result is byte table[i] of the source.
constexpr TIndexes Indexes(int (*from)(int)) {
  TIndexes table{};
  for (int i = 0; i < static_cast<int>(Wide); ++i) table[i] = static_cast<std::uint8_t>(from(i));
  return table;
}
alignas(64) constexpr TIndexes Positions = Indexes([](int i) { return i; });
alignas(64) constexpr TIndexes Previous = Indexes([](int i) { return std::max(i - 1, 0); });
// Each byte twice, of the first and of the second half.
alignas(64) constexpr TIndexes FirstHalfTwice = Indexes([](int i) { return i / 2; });
alignas(64) constexpr TIndexes SecondHalfTwice = Indexes([](int i) { return 32 + i / 2; });
// A byte of the first source and one of the second (64 on) in turn, of each half.
alignas(64) constexpr TIndexes FirstHalfInTurn = Indexes([](int i) { return (i % 2) * 64 + i / 2; });
alignas(64) constexpr TIndexes SecondHalfInTurn = Indexes([](int i) { return (i % 2) * 64 + 32 + i / 2; });

QUENBREL_BYTE_COMPRESS __m512i Load(const std::uint8_t* p) { return _mm512_loadu_si512(p); }

// Byte table[i] of `bytes` for each i. (The unmasked intrinsic's undefined start trips GCC 12's
// warning about uninitialised use.)
QUENBREL_BYTE_COMPRESS __m512i Permuted(const TIndexes& table, __m512i bytes) {
  return _mm512_maskz_permutexvar_epi8(~std::uint64_t{0}, Load(table.data()), bytes);
}

// Both kernels lay the block out as 128 slots, two for each byte, and write the slots flagged
// in `first` (one bit per pair's first slot) and `second`, in order.
QUENBREL_BYTE_COMPRESS void WriteSlots(__m512i low, __m512i high, std::uint64_t first, std::uint64_t second,
                                       std::uint8_t*& out) {
  const std::uint64_t keepLow = _pdep_u64(first, EvenBits) | _pdep_u64(second, OddBits);
  const std::uint64_t keepHigh = _pdep_u64(first >> 32, EvenBits) | _pdep_u64(second >> 32, OddBits);
  _mm512_storeu_si512(out, _mm512_maskz_compress_epi8(keepLow, low));
  out += std::popcount(keepLow);
  _mm512_storeu_si512(out, _mm512_maskz_compress_epi8(keepHigh, high));
  out += std::popcount(keepHigh);
}

// Writes marker i, where `marked` has bit i, then byte i, where `kept` has it, for each i in
// turn: slot 2i holds the marker, slot 2i + 1 the byte.
QUENBREL_BYTE_COMPRESS void WriteInTurn(__m512i markers, __m512i bytes, std::uint64_t marked, std::uint64_t kept,
                                        std::uint8_t*& out) {
  WriteSlots(_mm512_permutex2var_epi8(markers, Load(FirstHalfInTurn.data()), bytes),
             _mm512_permutex2var_epi8(markers, Load(SecondHalfInTurn.data()), bytes), marked, kept, out);
}

std::uint64_t Below(std::ptrdiff_t n) {
  return n >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << std::max<std::ptrdiff_t>(n, 0)) - 1;
}

// One run of up to 63 bytes: a byte below 0xC0 alone stands for itself.
void PutRun(std::uint8_t value, std::size_t run, std::uint8_t*& out) {
  const bool marked = run > 1 || value >= 0xC0;
  out[0] = marked ? static_cast<std::uint8_t>(0xC0 | run) : value;
  out[1] = value;
  out += 1 + static_cast<std::size_t>(marked);
}

// Blocks of this many runs or fewer, as in gentle gradients, are coded a run at a time: the
// vector work costs as much as that many runs do.
constexpr int FewRuns = 4;

// Codes the runs that start where `starts` has a bit, the last of them ending before `end`.
void CodeFewRuns(const std::uint8_t* plane, std::uint64_t starts, std::size_t end, std::uint8_t*& out) {
  while (starts) {
    const auto first = static_cast<std::size_t>(std::countr_zero(starts));
    starts &= starts - 1;
    PutRun(plane[first], (starts ? static_cast<std::size_t>(std::countr_zero(starts)) : end) - first, out);
  }
}

// Codes the runs that start where `starts` has a bit and end where `ends` has one, of which
// those flagged in `runs` (in order) are written, all in vectors.
QUENBREL_BYTE_COMPRESS void CodeManyRuns(__m512i bytes, std::uint64_t starts, std::uint64_t ends, std::uint64_t runs,
                                         std::uint8_t*& out) {
  // Run j, in order: its first and last position and its byte.
  const __m512i positions = Load(Positions.data());
  const __m512i firsts = _mm512_maskz_compress_epi8(starts, positions);
  const __m512i lasts = _mm512_maskz_compress_epi8(ends, positions);
  const __m512i values = _mm512_maskz_compress_epi8(starts, bytes);
  const __m512i lengths = _mm512_add_epi8(_mm512_sub_epi8(lasts, firsts), _mm512_set1_epi8(1));
  const __m512i markers = _mm512_or_si512(lengths, _mm512_set1_epi8(static_cast<char>(0xC0)));
  const std::uint64_t marked = (_mm512_cmpgt_epu8_mask(lengths, _mm512_set1_epi8(1)) |
                                _mm512_cmpge_epu8_mask(values, _mm512_set1_epi8(static_cast<char>(0xC0)))) &
                               runs;
  WriteInTurn(markers, values, marked, runs, out);
}

// Codes the runs that start where `starts` has a bit, none longer than two: the common case
// in noise, whose runs need not be gathered into run order, as each is one byte or two.
QUENBREL_BYTE_COMPRESS void CodeShortRuns(__m512i bytes, std::uint64_t sameAsNext, std::uint64_t starts,
                                          std::uint8_t*& out) {
  const __m512i markers = _mm512_mask_blend_epi8(sameAsNext, _mm512_set1_epi8(static_cast<char>(0xC1)),
                                                 _mm512_set1_epi8(static_cast<char>(0xC2)));
  const std::uint64_t high = _mm512_cmpge_epu8_mask(bytes, _mm512_set1_epi8(static_cast<char>(0xC0)));
  WriteInTurn(markers, bytes, starts & (sameAsNext | high), starts, out);
}

// The run that reaches the start of a block: its byte, and how many of its bytes came before,
// less the lengths of 63 already written for it. None when that count is nought.
struct TOpenRun {
  std::uint8_t Value = 0;
  std::size_t Length = 0;

  // Writes the whole lengths of 63 it has.
  void PutFull(std::uint8_t*& out) {
    for (; Length >= 63; Length -= 63) PutRun(Value, 63, out);
  }
  void Close(std::uint8_t*& out) {
    PutFull(out);
    if (Length > 0) PutRun(Value, Length, out);
    Length = 0;
  }
};

// Codes plane[0..63], which the open run reaches into, up to the run that reaches plane[64]:
// the block starts where the last ended, whatever its runs, so that the next block's bytes
// can be read before this block's runs are known.
QUENBREL_BYTE_COMPRESS void CodeBlock(const std::uint8_t* plane, TOpenRun& open, std::uint8_t*& out) {
  const __m512i bytes = Load(plane);
  const std::uint64_t sameAsNext = _mm512_cmpeq_epi8_mask(bytes, Load(plane + 1));
  if (open.Length == 0) open.Value = plane[0];
  const std::uint64_t starts = ~(sameAsNext << 1) & ~std::uint64_t{1};
  const bool goesOn = sameAsNext >> 63;
  if (starts == 0) {
    // Flat colour: the open run fills the block.
    open.Length += Wide;
    if (goesOn) open.PutFull(out);
    else open.Close(out);
    return;
  }
  const auto first = static_cast<std::size_t>(std::countr_zero(starts));
  open.Length += first;
  open.Close(out);

  // The runs that start in the block, less the one that goes on past it.
  const auto last = static_cast<std::size_t>(63 - std::countl_zero(starts));
  const std::uint64_t closed = goesOn ? starts & ~(std::uint64_t{1} << last) : starts;
  if (std::popcount(starts) <= FewRuns) {
    CodeFewRuns(plane, closed, goesOn ? last : Wide, out);
  } else if ((closed & sameAsNext & (sameAsNext >> 1)) == 0) {
    CodeShortRuns(bytes, sameAsNext, closed, out);
  } else {
    const std::uint64_t ends = ((starts >> 1) | (std::uint64_t{1} << 63)) & ~Below(static_cast<std::ptrdiff_t>(first));
    CodeManyRuns(bytes, starts, ends, Below(std::popcount(closed)), out);
  }
  if (goesOn) open = {plane[last], Wide - last};
}

// A block may end on a marker: its value opens the next block.
struct TMarkerCarried {
  std::uint64_t Carried = 0;
  int Count = 0;
};

// Decodes coded[0..63] onto `out`, at most 65 bytes, and returns how many coded bytes it took:
// 64, or, at a run of more than two, the position of its marker, which is -1 for the marker
// carried into the block.
QUENBREL_BYTE_COMPRESS std::ptrdiff_t DecodeBlock(const std::uint8_t* coded, std::uint8_t*& out,
                                                  TMarkerCarried& carry) {
  const __m512i bytes = Load(coded);
  // A carried marker's value, high or not, is no marker.
  const std::uint64_t high = _mm512_cmpge_epu8_mask(bytes, _mm512_set1_epi8(static_cast<char>(0xC0)));
  const std::uint64_t markers = PcxMarkers(high & ~carry.Carried, EvenBits);
  const std::uint64_t values = (markers << 1) | carry.Carried;

  // Each value's count, from the marker before it.
  const __m512i before = _mm512_maskz_permutexvar_epi8(~std::uint64_t{1}, Load(Previous.data()), bytes);
  const __m512i counts =
      _mm512_and_si512(_mm512_mask_set1_epi8(before, 1, static_cast<char>(carry.Count)), _mm512_set1_epi8(0x3F));
  const std::uint64_t longRuns = _mm512_cmpgt_epu8_mask(counts, _mm512_set1_epi8(2)) & values;
  std::ptrdiff_t taken = Wide;
  if (longRuns) taken = std::countr_zero(longRuns) - 1;  // stop at its marker
  carry = {markers >> 63, coded[63] & 0x3F};

  // Slot 2i is byte i once, slot 2i + 1 its second copy: a plain byte fills the first, a value
  // as many as its count, a marker none.
  const std::uint64_t plain = ~(markers | values);
  const std::uint64_t once = (plain | (values & _mm512_test_epi8_mask(counts, counts))) & Below(taken);
  const std::uint64_t twice = values & _mm512_cmpeq_epi8_mask(counts, _mm512_set1_epi8(2)) & Below(taken);
  WriteSlots(Permuted(FirstHalfTwice, bytes), Permuted(SecondHalfTwice, bytes), once, twice, out);
  return taken;
}

}  // namespace

QUENBREL_BYTE_COMPRESS std::size_t PcxCodeWideBlocks(const std::uint8_t* plane, std::size_t limit, std::uint8_t*& out) {
  std::uint8_t* to = out;
  std::size_t n = 0;
  TOpenRun open;
  for (; n + Wide <= limit; n += Wide) CodeBlock(plane + n, open, to);
  out = to;
  // What is left of the open run is the caller's.
  return n - open.Length;
}

QUENBREL_BYTE_COMPRESS std::size_t PcxDecodeWideBlocks(const std::uint8_t* coded, std::size_t available,
                                                       std::uint8_t*& out, std::size_t room) {
  constexpr std::size_t mostWritten = Wide + 1;
  std::uint8_t* to = out;
  std::size_t n = 0;
  TMarkerCarried carry;
  while (n + Wide <= available && static_cast<std::size_t>(to - out) + mostWritten <= room) {
    const std::ptrdiff_t taken = DecodeBlock(coded + n, to, carry);
    n += taken;
    if (taken == static_cast<std::ptrdiff_t>(Wide)) continue;
    // Runs of three and more, here while they fit, so that a photograph's odd run does not end
    // the blocks, and an area of flat colour is a store for each run.
    carry = {};
    for (; n + 2 <= available && coded[n] > 0xC2; n += 2) {
      const std::size_t run = coded[n] & 0x3F;
      if (static_cast<std::size_t>(to - out) + run > room) {
        out = to;
        return n;
      }
      _mm512_storeu_si512(to, _mm512_set1_epi8(static_cast<char>(coded[n + 1])));
      to += run;
    }
  }
  out = to;
  // A marker carried out of the last block is the caller's to read again.
  return n - carry.Carried;
}

#else

// Never called: HaveByteCompress() is false here.
std::size_t PcxCodeWideBlocks(const std::uint8_t*, std::size_t, std::uint8_t*&) { return 0; }
std::size_t PcxDecodeWideBlocks(const std::uint8_t*, std::size_t, std::uint8_t*&, std::size_t) { return 0; }

#endif
