#pragma once
#include "X11Api.h"

#include <unordered_set>

#include "framework/graphics/Bitmap.h"

class TShmPixelMemory;

// Hands out shared-memory blocks while a display that can use them is open, heap memory
// otherwise (before the display opens, on a remote display, or when the system refuses a
// segment).
class TShmPixelMemoryProvider : public TPixelMemoryProvider {
 public:
  ~TShmPixelMemoryProvider() override;

  std::unique_ptr<TPixelMemory> Allocate(std::size_t bytes) override;

  // Null, or a display whose server can attach our segments.
  void SetDisplay(Display* display);
  void Forget(TShmPixelMemory* memory) { FLive.erase(memory); }

 private:
  void ForgetAll();

  Display* FDisplay = nullptr;
  std::unordered_set<TShmPixelMemory*> FLive;
};
