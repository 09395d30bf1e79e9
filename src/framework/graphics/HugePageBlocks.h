#pragma once
// Memory for pictures and picture files of several megabytes, straight from the system as
// whole huge pages: a 36 MB picture then costs a few dozen page faults instead of nine
// thousand.
//
// The last two blocks given back (of up to 128 MB) are kept for the next requests of their
// sizes, with their pages lent to the system (which takes them back only if it runs short)
// until they are written again. A program that turns, loads or saves pictures of one size over
// and over then writes into memory it has, instead of memory the system must clear first:
// clearing took a third of the time of reading a 36 MB picture from a PCX file.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <new>

struct THugePageBlock {
  std::uint8_t* Data = nullptr;
  std::size_t Bytes = 0;
};

// Requests below this size are better served by the heap.
constexpr std::size_t HugePageBlockMinBytes = std::size_t{8} << 20;

// Whether pictures and picture files take huge page blocks at all. Under AddressSanitizer they
// take ordinary heap memory of their exact size, whose ends it guards: a read or write one
// pixel past a picture then fails at once, where inside a huge page it would go unseen.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool HugePageBlocksForPictures = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool HugePageBlocksForPictures = false;
#else
constexpr bool HugePageBlocksForPictures = true;
#endif
#else
constexpr bool HugePageBlocksForPictures = true;
#endif

// Whether a picture or a file of `bytes` bytes takes a huge page block.
constexpr bool TakesHugePageBlock(std::size_t bytes) {
  return HugePageBlocksForPictures && bytes >= HugePageBlockMinBytes;
}

// The size of the block that a request of `bytes` bytes gets: whole huge pages.
std::size_t HugePageBlockBytes(std::size_t bytes);

// A block for `bytes` bytes: zero-filled when `zeroed`, and otherwise possibly a kept block,
// holding what it held. A null block if the system has no memory for it.
THugePageBlock TakeHugePageBlock(std::size_t bytes, bool zeroed);

// Gives a block back: kept for a next request of its size, or unmapped.
void GiveBackHugePageBlock(THugePageBlock block);

// The kept blocks go back to the system now, for a program whose pictures shrank for good
// (its screen became smaller): lent pages still count as its memory until the system runs short.
void UnmapKeptHugePageBlocks();

// An allocator for vectors that may grow to megabytes, such as picture files: large requests
// take huge page blocks, small ones the heap.
template <class T>
struct THugePageAllocator {
  using value_type = T;

  THugePageAllocator() = default;
  template <class U>
  THugePageAllocator(const THugePageAllocator<U>&) noexcept {}

  T* allocate(std::size_t n) {
    if (n > std::numeric_limits<std::size_t>::max() / sizeof(T)) throw std::bad_array_new_length();
    if (!TakesHugePageBlock(n * sizeof(T))) return std::allocator<T>().allocate(n);
    const THugePageBlock block = TakeHugePageBlock(n * sizeof(T), false);
    if (!block.Data) throw std::bad_alloc();
    return reinterpret_cast<T*>(block.Data);
  }
  void deallocate(T* p, std::size_t n) noexcept {
    if (!TakesHugePageBlock(n * sizeof(T))) return std::allocator<T>().deallocate(p, n);
    GiveBackHugePageBlock({reinterpret_cast<std::uint8_t*>(p), HugePageBlockBytes(n * sizeof(T))});
  }

  friend bool operator==(const THugePageAllocator&, const THugePageAllocator&) { return true; }
};
