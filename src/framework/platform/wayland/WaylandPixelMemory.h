#pragma once
#include <cstddef>
#include <memory>
#include <unordered_set>

#include "ShmBufferSet.h"
#include "framework/graphics/Bitmap.h"

class TWaylandPixelMemoryProvider;

// A bitmap's own buffer on its way to a window: it stays until committed, even if the bitmap
// lets go of its memory meanwhile.
struct TLentBuffer {
  std::shared_ptr<TShmBufferSet> Set;
  TShmBuffer* Buffer = nullptr;
  explicit operator bool() const { return Buffer != nullptr; }
};

// A bitmap's pixel memory on Wayland: on the heap like any other until its maker begins to draw
// frame by frame (TBitmap::BeginFrame), then a buffer in shared memory that a window shows as it
// is, each frame drawn into one the compositor does not hold. Where no shared memory can be
// had, it stays on the heap, and windows copy from it.
class TWaylandPixelMemory : public TPixelMemory {
 public:
  TWaylandPixelMemory(TWaylandPixelMemoryProvider* provider, std::size_t bytes);
  ~TWaylandPixelMemory() override;
  TWaylandPixelMemory(const TWaylandPixelMemory&) = delete;
  TWaylandPixelMemory& operator=(const TWaylandPixelMemory&) = delete;

  std::uint8_t* Data() override;
  bool Renew() override;

  const TWaylandPixelMemoryProvider* Provider() const { return FProvider; }
  // The buffer that holds the picture, for a window to show; empty while it is on the heap.
  TLentBuffer Lend() const { return {FBuffers, FCurrent}; }
  // The provider goes, and the connection with it: only the memory stays.
  void Disconnect();

 private:
  void MoveToSharedMemory();

  TWaylandPixelMemoryProvider* FProvider;
  std::size_t FBytes;
  std::unique_ptr<TPixelMemory> FHeap;  // until the first frame
  std::shared_ptr<TShmBufferSet> FBuffers;
  TShmBuffer* FCurrent = nullptr;
  bool FHeapOnly = false;  // shared memory was refused: not asked for again
};

class TWaylandPixelMemoryProvider : public TPixelMemoryProvider {
 public:
  TWaylandPixelMemoryProvider() = default;
  ~TWaylandPixelMemoryProvider() override;
  TWaylandPixelMemoryProvider(const TWaylandPixelMemoryProvider&) = delete;
  TWaylandPixelMemoryProvider& operator=(const TWaylandPixelMemoryProvider&) = delete;

  std::unique_ptr<TPixelMemory> Allocate(std::size_t bytes) override;
  void Forget(TWaylandPixelMemory* memory) { FLive.erase(memory); }

 private:
  std::unordered_set<TWaylandPixelMemory*> FLive;
};
