#include "ShmPixelMemoryProvider.h"

#include <vector>

#include "ShmPixelMemory.h"

namespace {

class THeapPixelMemory : public TPixelMemory {
 public:
  // Never empty: an empty bitmap's rows must still be a valid address.
  explicit THeapPixelMemory(std::size_t bytes) : FBytes(bytes == 0 ? 1 : bytes) {}
  std::uint8_t* Data() override { return FBytes.data(); }

 private:
  std::vector<std::uint8_t> FBytes;
};

}  // namespace

TShmPixelMemoryProvider::~TShmPixelMemoryProvider() { ForgetAll(); }

std::unique_ptr<TPixelMemory> TShmPixelMemoryProvider::Allocate(std::size_t bytes) {
  if (FDisplay && bytes > 0) {
    if (auto shared = TShmPixelMemory::Create(FDisplay, bytes, this)) {
      FLive.insert(shared.get());
      return shared;
    }
  }
  return std::make_unique<THeapPixelMemory>(bytes);
}

void TShmPixelMemoryProvider::SetDisplay(Display* display) {
  if (!display) ForgetAll();
  FDisplay = display;
}

void TShmPixelMemoryProvider::ForgetAll() {
  for (TShmPixelMemory* memory : FLive) memory->ForgetDisplay();
  FLive.clear();
}
