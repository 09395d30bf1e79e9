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

class TShmBufferSet;

// One buffer: pixel words as the compositor reads them (XRGB8888, which is the bitmaps' own
// layout, or ARGB8888 for pictures with transparent parts), row 0 at the top, no padding
// between rows.
struct TShmBuffer {
  TShmBufferSet* Set = nullptr;
  std::uint32_t* Pixels = nullptr;
  std::size_t Offset = 0;       // in the set's file
  wl_buffer* Buffer = nullptr;  // made when first shown, for BufferSize
  TSize BufferSize;
  // Given to the compositor and not yet released: it may read it at any time.
  bool Held = false;
  // Where its pixels miss what was committed since it was last the latest buffer (a window's
  // buffers, drawn in part).
  TRect Stale;
};

// Buffers of one size in one shared-memory file, which the compositor maps once, when the first
// of them is shown. A buffer it holds is never handed out: another is, made when none is free,
// up to Capacity; with all of them held, none is, and nothing waits for one.
//
// Under the address sanitizer the file's memory is poisoned but for the buffers the program may
// touch (SetAccessible), and a guard page follows each buffer: a write past a buffer, or into
// one the program has left, is reported where it happens.
class TShmBufferSet {
 public:
  static constexpr int Capacity = 3;

  // Whether the top byte of a pixel word is its opacity.
  enum class TAlpha : std::uint8_t { Opaque, Premultiplied };

  // `released` runs whenever the compositor lets go of a buffer. Raises std::system_error when
  // the memory cannot be had, std::invalid_argument for a size that no pool can hold.
  TShmBufferSet(std::size_t bufferBytes, std::function<void()> released, TAlpha alpha = TAlpha::Opaque);
  ~TShmBufferSet();
  TShmBufferSet(const TShmBufferSet&) = delete;
  TShmBufferSet& operator=(const TShmBufferSet&) = delete;

  int Count() const { return static_cast<int>(FBuffers.size()); }
  template <class F>
  void ForEach(F&& visit) {
    for (const auto& buffer : FBuffers) visit(*buffer);
  }

  // A buffer the compositor does not hold: `preferred` when it is free, else the first free
  // one, else a new one (zero-filled and accessible); null when the compositor holds all.
  TShmBuffer* Free(TShmBuffer* preferred = nullptr);
  // The compositor's name for `buffer` showing `size` pixels, made on first use; null without
  // a compositor (`shm` null).
  wl_buffer* Attachable(TShmBuffer& buffer, wl_shm* shm, TSize size);
  void Hold(TShmBuffer& buffer) { buffer.Held = true; }
  void Released(TShmBuffer& buffer);
  // The connection closes: what was made on it goes, the memory stays, and nothing is held.
  void Disconnect();
  void SetAccessible(const TShmBuffer& buffer, bool accessible);

 private:
  TShmBuffer& Add();
  void DestroyHandle(TShmBuffer& buffer);

  std::size_t FBufferBytes;
  std::size_t FSlotBytes;  // a buffer and its guard, in whole pages
  std::function<void()> FReleased;
  TAlpha FAlpha;
  int FFd = -1;
  std::uint8_t* FMemory = nullptr;
  wl_shm_pool* FPool = nullptr;
  std::vector<std::unique_ptr<TShmBuffer>> FBuffers;
};
