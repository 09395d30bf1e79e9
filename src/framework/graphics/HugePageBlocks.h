#pragma once
// Memory for pictures and picture files of several megabytes, straight from the system as
// whole huge pages: a 36 MB picture then costs a few dozen page faults instead of nine
// thousand.
//
// The last block given back is kept for the next request of the same size, with its pages
// lent to the system (which takes them back only if it runs short) until they are written
// again. A program that turns, loads or saves pictures of one size over and over then writes
// into memory it has, instead of memory the system must clear first: clearing took a third of
// the time of reading a 36 MB picture from a PCX file.
#include <cstddef>
#include <cstdint>

struct THugePageBlock {
  std::uint8_t* Data = nullptr;
  std::size_t Bytes = 0;
};

// Requests below this size are better served by the heap.
constexpr std::size_t HugePageBlockMinBytes = std::size_t{8} << 20;

// The size of the block that a request of `bytes` bytes gets: whole huge pages.
std::size_t HugePageBlockBytes(std::size_t bytes);

// A block for `bytes` bytes: zero-filled when `zeroed`, and otherwise possibly the kept block,
// holding what it held. A null block if the system has no memory for it.
THugePageBlock TakeHugePageBlock(std::size_t bytes, bool zeroed);

// Gives a block back: kept for the next request of its size, or unmapped.
void GiveBackHugePageBlock(THugePageBlock block);
