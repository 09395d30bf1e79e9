#pragma once
#include <functional>

#include "ShmBufferSet.h"

// The buffers of one window at one size, drawn in part: a frame goes into a buffer the
// compositor does not hold, and what it misses of the latest frame is copied over when it is
// submitted. With a null `shm` the buffers are never shown (tests).
class TShmBufferPool {
 public:
  static constexpr int Capacity = TShmBufferSet::Capacity;

  using TAlpha = TShmBufferSet::TAlpha;

  // `released` runs whenever the compositor lets go of a buffer. Raises std::system_error
  // when the memory cannot be had, std::invalid_argument for an empty or huge size.
  TShmBufferPool(wl_shm* shm, TSize size, std::function<void()> released, TAlpha alpha = TAlpha::Opaque);

  TSize Size() const { return FSize; }
  int Count() const { return FSet.Count(); }

  // A buffer to draw the next frame into, or null while the compositor holds every one.
  TShmBuffer* Acquire();
  // The frame in `buffer` is new within `damage`; the rest is brought up to date from the
  // latest buffer. It becomes the latest and is held until Released.
  void Submit(TShmBuffer& buffer, const TRect& damage);
  // What the compositor knows `buffer` by; null without a compositor.
  wl_buffer* Attachable(TShmBuffer& buffer) { return FSet.Attachable(buffer, FShm, FSize); }
  void Released(TShmBuffer& buffer) { FSet.Released(buffer); }

 private:
  void CopyFromLatest(TShmBuffer& buffer, const TRect& area);

  TSize FSize;
  wl_shm* FShm;
  TShmBufferSet FSet;
  TShmBuffer* FLatest = nullptr;
};
