#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "framework/base/Types.h"
#include "framework/graphics/Canvas.h"

struct wl_buffer;
struct wl_shm;
struct wl_shm_pool;

class TShmBufferPool;

// One buffer of a window: pixel words as the compositor reads them (XRGB8888, which is the
// bitmaps' own layout, or ARGB8888 for pictures with transparent parts), row 0 at the top,
// no padding between rows.
struct TShmBuffer {
  TShmBufferPool* Pool = nullptr;
  std::uint32_t* Pixels = nullptr;
  wl_buffer* Buffer = nullptr;  // null without a compositor
  // Given to the compositor and not yet released: it may read it at any time.
  bool Held = false;
  // Where its pixels miss what was committed since it was last the latest buffer.
  TRect Stale;
};

// The buffers of one window at one size, in one shared-memory file that the compositor maps
// once. A buffer the compositor holds is never written: a frame goes into a free one, made
// when none is free, up to Capacity. With a null `shm` the buffers are plain shared memory,
// never shown (tests).
class TShmBufferPool {
 public:
  static constexpr int Capacity = 3;

  // Whether the top byte of a pixel word is its opacity.
  enum class TAlpha : std::uint8_t { Opaque, Premultiplied };

  // `released` runs whenever the compositor lets go of a buffer. Raises std::system_error
  // when the memory cannot be had, std::invalid_argument for an empty or huge size.
  TShmBufferPool(wl_shm* shm, TSize size, std::function<void()> released, TAlpha alpha = TAlpha::Opaque);
  ~TShmBufferPool();
  TShmBufferPool(const TShmBufferPool&) = delete;
  TShmBufferPool& operator=(const TShmBufferPool&) = delete;

  TSize Size() const { return FSize; }
  int Count() const { return static_cast<int>(FBuffers.size()); }

  // A buffer to draw the next frame into, or null while the compositor holds every one.
  TShmBuffer* Acquire();
  // The frame in `buffer` is new within `damage`; the rest is brought up to date from the
  // latest buffer. It becomes the latest and is held until Released.
  void Submit(TShmBuffer& buffer, const TRect& damage);
  void Released(TShmBuffer& buffer);

 private:
  TShmBuffer& Add();
  void CopyFromLatest(TShmBuffer& buffer, const TRect& area);

  TSize FSize;
  TAlpha FAlpha;
  std::size_t FBufferBytes = 0;
  std::function<void()> FReleased;
  int FFd = -1;
  void* FMemory = nullptr;
  wl_shm* FShm = nullptr;
  wl_shm_pool* FPool = nullptr;
  std::vector<std::unique_ptr<TShmBuffer>> FBuffers;
  TShmBuffer* FLatest = nullptr;
};
