#pragma once
#include <cstddef>
#include <cstdint>

// The PCX run-length code a block at a time, without a branch on the data inside a block, for
// machines with the vector tiers of ByteShuffles.h: blocks of 16 bytes with byte shuffles, of
// 64 with byte compression. Each function goes on while whole blocks fit and leaves what they
// do not take to the caller's byte-wise code; each writes up to a block past what it reports,
// and moves `out` past what it reports.

// Codes the runs of `plane` that end by plane[limit], which the caller keeps inside the plane,
// and returns how many plane bytes it took. The 16-byte blocks stop at a run that goes on past
// a block; the 64-byte ones only at one that goes on past `limit`.
std::size_t PcxCodeBlocks(const std::uint8_t* plane, std::size_t limit, std::uint8_t*& out);
std::size_t PcxCodeWideBlocks(const std::uint8_t* plane, std::size_t limit, std::uint8_t*& out);

// Decodes at most `available` bytes of a stream that starts with a token, writing at most
// `room` bytes, and returns how many it took. The 16-byte blocks stop before a run of more
// than two; the 64-byte ones stop before one only where it does not fit.
std::size_t PcxDecodeBlocks(const std::uint8_t* coded, std::size_t available, std::uint8_t*& out, std::size_t room);
std::size_t PcxDecodeWideBlocks(const std::uint8_t* coded, std::size_t available, std::uint8_t*& out, std::size_t room);

// Which of the bytes flagged in `high` (those of 0xC0 and more, the byte before the first flag
// being no marker) are markers: in each row of them the first is a marker, the next its value,
// and so on, so that a row that begins on an even bit has its markers on even bits. Adding a
// row's first bit clears the row, which tells the rows apart. `evenBits` has every even bit.
template <class TBits>
constexpr TBits PcxMarkers(TBits high, TBits evenBits) {
  const TBits rowStarts = high & ~(high << 1);
  const TBits fromEven = high & ~(high + (rowStarts & evenBits));
  return (fromEven & evenBits) | (high & ~fromEven & ~evenBits);
}
