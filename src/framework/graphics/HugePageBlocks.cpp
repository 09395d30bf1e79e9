#include "HugePageBlocks.h"

#include <mutex>
#include <utility>

#include <sys/mman.h>

namespace {

constexpr std::size_t HugePage = std::size_t{2} << 20;

// Larger blocks go back to the system at once: a 40-megapixel picture of 24 bits fits.
constexpr std::size_t MaxKeptBytes = std::size_t{128} << 20;

std::size_t RoundUp(std::size_t n, std::size_t to) { return (n + to - 1) / to * to; }

// Whole huge pages of `bytes` (a multiple of HugePage), or null: a larger mapping, trimmed to
// the aligned part, as only whole aligned huge pages inside a mapping can be huge.
std::uint8_t* MapHugePages(std::size_t bytes) {
  void* p = ::mmap(nullptr, bytes + HugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (p == MAP_FAILED) return nullptr;
  auto* const mapped = static_cast<std::uint8_t*>(p);
  const auto address = reinterpret_cast<std::uintptr_t>(mapped);
  const std::size_t head = RoundUp(address, HugePage) - address;
  if (head > 0) ::munmap(mapped, head);
  ::munmap(mapped + head + bytes, HugePage - head);
  ::madvise(mapped + head, bytes, MADV_HUGEPAGE);
  return mapped + head;
}

// The blocks given back last, the latest first: two, so that a file's bytes and the picture
// read from them can both be kept.
class TKeptBlocks {
 public:
  // A kept block of `bytes` bytes, which is then no longer kept, or a null block.
  THugePageBlock TakeIfSized(std::size_t bytes) {
    std::lock_guard<std::mutex> lock(FMutex);
    for (std::size_t i = 0; i < Count; ++i)
      if (FBlocks[i].Data && FBlocks[i].Bytes == bytes) {
        const THugePageBlock block = FBlocks[i];
        for (std::size_t j = i; j + 1 < Count; ++j) FBlocks[j] = FBlocks[j + 1];
        FBlocks[Count - 1] = {};
        return block;
      }
    return {};
  }

  // The blocks kept, which are then no longer kept.
  void TakeAll(THugePageBlock (&blocks)[2]) {
    std::lock_guard<std::mutex> lock(FMutex);
    for (std::size_t i = 0; i < Count; ++i) blocks[i] = std::exchange(FBlocks[i], {});
  }

  // Keeps `block` and returns the oldest one it pushes out, to be unmapped outside the lock.
  THugePageBlock Keep(THugePageBlock block) {
    // The pages become the system's to reclaim; a write before it does makes them ours again.
    ::madvise(block.Data, block.Bytes, MADV_FREE);
    std::lock_guard<std::mutex> lock(FMutex);
    const THugePageBlock oldest = FBlocks[Count - 1];
    for (std::size_t j = Count - 1; j > 0; --j) FBlocks[j] = FBlocks[j - 1];
    FBlocks[0] = block;
    return oldest;
  }

 private:
  static constexpr std::size_t Count = 2;
  std::mutex FMutex;
  THugePageBlock FBlocks[Count];
};

// Set up before any code runs, with nothing to tear down, so that a picture freed while the
// program ends still finds them.
constinit TKeptBlocks Kept;

}  // namespace

std::size_t HugePageBlockBytes(std::size_t bytes) { return RoundUp(bytes == 0 ? 1 : bytes, HugePage); }

THugePageBlock TakeHugePageBlock(std::size_t bytes, bool zeroed) {
  const std::size_t size = HugePageBlockBytes(bytes);
  if (!zeroed)
    if (THugePageBlock kept = Kept.TakeIfSized(size); kept.Data) return kept;
  std::uint8_t* const data = MapHugePages(size);
  return data ? THugePageBlock{data, size} : THugePageBlock{};
}

void GiveBackHugePageBlock(THugePageBlock block) {
  if (!block.Data) return;
  if (block.Bytes <= MaxKeptBytes) block = Kept.Keep(block);
  if (block.Data) ::munmap(block.Data, block.Bytes);
}

void UnmapKeptHugePageBlocks() {
  THugePageBlock blocks[2];
  Kept.TakeAll(blocks);
  for (const THugePageBlock& block : blocks)
    if (block.Data) ::munmap(block.Data, block.Bytes);
}
