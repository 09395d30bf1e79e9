#include "HugePageBlocks.h"

#include <mutex>
#include <utility>

#include <sys/mman.h>

namespace {

constexpr std::size_t HugePage = std::size_t{2} << 20;

// Kept blocks are bounded by the largest picture the codecs accept, four bytes a pixel.
constexpr std::size_t MaxKeptBytes = std::size_t{256} << 20;

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

class TKeptBlock {
 public:
  // The kept block if it has `bytes` bytes, which is then no longer kept.
  THugePageBlock TakeIfSized(std::size_t bytes) {
    std::lock_guard<std::mutex> lock(FMutex);
    if (FBlock.Bytes != bytes) return {};
    return std::exchange(FBlock, THugePageBlock{});
  }

  // Keeps `block` and returns the one it replaces, to be unmapped outside the lock.
  THugePageBlock Keep(THugePageBlock block) {
    // The pages become the system's to reclaim; a write before it does makes them ours again.
    ::madvise(block.Data, block.Bytes, MADV_FREE);
    std::lock_guard<std::mutex> lock(FMutex);
    return std::exchange(FBlock, block);
  }

 private:
  std::mutex FMutex;
  THugePageBlock FBlock;
};

// Set up before any code runs, with nothing to tear down, so that a picture freed while the
// program ends still finds it.
constinit TKeptBlock Kept;

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
