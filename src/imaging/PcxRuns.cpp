#include "PcxRuns.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "ByteShuffles.h"
#include "PcxRunVectors.h"

namespace {

// Eight bytes at a time: bit 7 of each byte of a mask flags that byte, and the word is read so
// that the first byte in memory is the lowest.
constexpr std::uint64_t High = 0x8080808080808080u;
constexpr std::uint64_t Low = 0x0101010101010101u;
constexpr std::uint64_t LowBits = 0x7F7F7F7F7F7F7F7Fu;
constexpr std::size_t Word = 8;

std::uint64_t Load8(const std::uint8_t* p) {
  std::uint64_t v;
  std::memcpy(&v, p, Word);
  if constexpr (std::endian::native == std::endian::big) v = __builtin_bswap64(v);
  return v;
}

void Copy8(std::uint8_t* to, const std::uint8_t* from) { std::memcpy(to, from, Word); }

// Bytes of 0xC0 and more: run markers.
std::uint64_t Markers(std::uint64_t word) { return word & (word << 1) & High; }

// Bytes other than zero; no carry crosses from one byte into the next.
std::uint64_t NonZeros(std::uint64_t word) { return (((word & LowBits) + LowBits) | word) & High; }
std::uint64_t Zeros(std::uint64_t word) { return ~NonZeros(word) & High; }

std::size_t FirstFlagged(std::uint64_t mask) { return static_cast<std::size_t>(std::countr_zero(mask)) / 8; }

// How many of the next `limit` bytes stand for themselves, copied to `out` as they are found;
// `out` may be written up to a word past them.
std::size_t CopyPlain(const std::uint8_t* in, std::size_t limit, std::uint8_t* out) {
  std::size_t n = 0;
  for (; n + Word <= limit; n += Word) {
    Copy8(out + n, in + n);
    if (const std::uint64_t markers = Markers(Load8(in + n))) return n + FirstFlagged(markers);
  }
  for (; n < limit && in[n] < 0xC0; ++n) out[n] = in[n];
  return n;
}

// The length of the run of bytes equal to plane[0], at most `limit`; reads whole words, up to
// a word past `limit`.
std::size_t RunLength(const std::uint8_t* plane, std::size_t limit) {
  const std::uint64_t repeated = plane[0] * Low;
  std::size_t n = 1;
  for (; n < limit; n += Word)
    if (const std::uint64_t others = NonZeros(Load8(plane + n) ^ repeated))
      return std::min(limit, n + FirstFlagged(others));
  return limit;
}

// Codes the bytes from plane[0] on that are unlike the byte after them (runs of one), up to
// `limit` bytes, which stops before the plane's last byte. Those below 0xC0 stand for
// themselves, the others follow a marker of one. Eight at a time, and without a branch on each
// byte: every byte of a word is written and `out` then moves past the ones that count, so that
// up to 16 bytes past them are written over. Returns how many bytes it took; `out` moves on.
std::size_t CodeSingles(const std::uint8_t* plane, std::size_t limit, std::uint8_t*& out) {
  std::size_t n = 0;
  for (; n + Word <= limit; n += Word) {
    const std::uint64_t word = Load8(plane + n);
    const std::uint64_t repeats = Zeros(word ^ Load8(plane + n + 1));
    const std::size_t singles = repeats ? FirstFlagged(repeats) : Word;
    const std::uint64_t below = singles == Word ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * singles)) - 1;
    const std::uint64_t markers = Markers(word) & below;
    if (markers == 0) {
      Copy8(out, plane + n);
      out += singles;
    } else {
      std::uint8_t* to = out;
      for (std::size_t i = 0; i < Word; ++i) {
        *to = 0xC1;
        to += plane[n + i] >= 0xC0;
        *to++ = plane[n + i];
      }
      out += singles + static_cast<std::size_t>(std::popcount(markers));
    }
    if (singles < Word) return n + singles;
  }
  return n;
}

// Codes from plane[0] on, up to `limit`, as CodeSingles does: with the kernel's blocks, the
// widest first, and then a word at a time.
std::size_t CodeMany(TPcxKernel kernel, const std::uint8_t* plane, std::size_t limit, std::uint8_t*& out) {
  std::size_t n = 0;
  if (kernel == TPcxKernel::WideBlocks) n += PcxCodeWideBlocks(plane, limit, out);
  if (kernel != TPcxKernel::Words) n += PcxCodeBlocks(plane + n, limit - n, out);
  return n + CodeSingles(plane + n, limit - n, out);
}

// Four runs of one in a row (0xC1 and a byte, four times: bright noise, whose bytes all need a
// marker) become their four bytes at once.
bool TakeFourSingles(const std::uint8_t*& in, std::uint8_t*& out) {
  constexpr std::uint64_t EvenBytes = 0x00FF00FF00FF00FFu;
  const std::uint64_t word = Load8(in);
  if ((word & EvenBytes) != 0x00C100C100C100C1u) return false;
  std::uint64_t values = (word >> 8) & EvenBytes;
  values = (values | (values >> 8)) & 0x0000FFFF0000FFFFu;
  values |= values >> 16;
  for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(values >> (8 * i));
  in += Word;
  out += 4;
  return true;
}

}  // namespace

TPcxKernel BestPcxKernel() {
  static const TPcxKernel best = HaveByteCompress()   ? TPcxKernel::WideBlocks
                                 : HaveByteShuffles() ? TPcxKernel::Blocks
                                                      : TPcxKernel::Words;
  return best;
}

TPcxScanReader::TPcxScanReader(TByteSpan data, bool encoded, TPcxKernel kernel)
    : FIn(data.data()), FEnd(data.data() + data.size()), FEncoded(encoded) {
  // The widest blocks first; narrower ones take what room is left at a line's end.
  if (kernel == TPcxKernel::WideBlocks) FDecoders = {PcxDecodeWideBlocks, PcxDecodeBlocks};
  if (kernel == TPcxKernel::Blocks) FDecoders = {PcxDecodeBlocks, nullptr};
}

void TPcxScanReader::Read(std::uint8_t* line, std::size_t bytes) {
  if (!FEncoded) {
    if (bytes > static_cast<std::size_t>(FEnd - FIn)) throw EImageFormat("truncated file");
    std::memcpy(line, FIn, bytes);
    FIn += bytes;
    return;
  }
  // The rest of a run that began on an earlier line.
  const std::size_t carried = std::min(FRun, bytes);
  std::memset(line, FValue, carried);
  FRun -= carried;
  std::uint8_t* out = line + carried;
  std::uint8_t* const end = line + bytes;
  while (out < end) {
    if (ReadBlocks(out, end)) continue;
    // Plain bytes (below 0xC0) stand for themselves: the common case in a photograph.
    const std::size_t plain = CopyPlain(FIn, std::min<std::size_t>(end - out, FEnd - FIn), out);
    out += plain;
    FIn += plain;
    while (out < end && FIn != FEnd && *FIn >= 0xC0) {
      if (end - out >= 4 && FEnd - FIn >= 8 && TakeFourSingles(FIn, out)) continue;
      ReadRun(out, end);
    }
    if (out < end && FIn == FEnd) throw EImageFormat("truncated file");
  }
}

bool TPcxScanReader::ReadBlocks(std::uint8_t*& out, std::uint8_t* end) {
  const std::uint8_t* const start = FIn;
  for (const TDecodeBlocks decode : FDecoders) {
    if (!decode) break;
    for (;;) {
      const std::uint8_t* const before = FIn;
      FIn += decode(FIn, FEnd - FIn, out, end - out);
      // Runs longer than the blocks take, one after another: areas of flat colour.
      while (out < end && FEnd - FIn >= 2 && *FIn > 0xC2) ReadRun(out, end);
      if (FIn == before) break;
    }
  }
  return FIn != start;
}

void TPcxScanReader::ReadRun(std::uint8_t*& out, std::uint8_t* end) {
  if (FEnd - FIn < 2) throw EImageFormat("truncated file");
  const std::size_t run = FIn[0] & 0x3F;
  FValue = FIn[1];
  FIn += 2;
  // A whole run's worth of stores of one size, most of them into the slack, beats a call.
  std::memset(out, FValue, 63);
  const std::size_t n = std::min<std::size_t>(run, end - out);
  out += n;
  FRun = run - n;
}

std::uint8_t* PcxCodeRuns(const std::uint8_t* plane, std::size_t count, std::uint8_t* out, TPcxKernel kernel) {
  std::size_t x = 0;
  while (x < count) {
    if (count - x > Word) x += CodeMany(kernel, plane + x, count - x - 1, out);
    if (x == count) break;
    const std::uint8_t value = plane[x];
    const std::size_t run = RunLength(plane + x, std::min<std::size_t>(63, count - x));
    if (run > 1 || value >= 0xC0) *out++ = static_cast<std::uint8_t>(0xC0 | run);
    *out++ = value;
    x += run;
  }
  return out;
}
