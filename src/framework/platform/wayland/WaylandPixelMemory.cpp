#include "WaylandPixelMemory.h"

#include <exception>

TWaylandPixelMemory::TWaylandPixelMemory(TWaylandPixelMemoryProvider* provider, std::size_t bytes)
    : FProvider(provider), FBytes(bytes), FHeap(NewHeapPixelMemory(bytes)) {}

TWaylandPixelMemory::~TWaylandPixelMemory() {
  if (FProvider) FProvider->Forget(this);
}

std::uint8_t* TWaylandPixelMemory::Data() {
  return FCurrent ? reinterpret_cast<std::uint8_t*>(FCurrent->Pixels) : FHeap->Data();
}

bool TWaylandPixelMemory::Renew() {
  if (!FBuffers) {
    if (!FHeapOnly) MoveToSharedMemory();
    return true;
  }
  if (!FCurrent->Held) return true;
  TShmBuffer* next = FBuffers->Free();
  if (!next) return false;
  FBuffers->SetAccessible(*FCurrent, false);
  FBuffers->SetAccessible(*next, true);
  FCurrent = next;
  return true;
}

// The picture is about to be drawn anew: nothing of the heap's is copied.
void TWaylandPixelMemory::MoveToSharedMemory() {
  try {
    FBuffers = std::make_shared<TShmBufferSet>(FBytes, nullptr);
  } catch (const std::exception&) {
    FHeapOnly = true;
    return;
  }
  FCurrent = FBuffers->Free();
  FHeap.reset();
}

void TWaylandPixelMemory::Disconnect() {
  if (FBuffers) FBuffers->Disconnect();
  FProvider = nullptr;
}

TWaylandPixelMemoryProvider::~TWaylandPixelMemoryProvider() {
  for (TWaylandPixelMemory* memory : FLive) memory->Disconnect();
}

std::unique_ptr<TPixelMemory> TWaylandPixelMemoryProvider::Allocate(std::size_t bytes) {
  auto memory = std::make_unique<TWaylandPixelMemory>(this, bytes);
  FLive.insert(memory.get());
  return memory;
}
