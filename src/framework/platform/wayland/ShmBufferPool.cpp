#include "ShmBufferPool.h"

#include <cstdint>
#include <cstring>
#include <stdexcept>

#include "WaylandLimits.h"

namespace {

// The parts of `area` outside `cut`: at most four bands.
std::vector<TRect> Outside(const TRect& area, const TRect& cut) {
  const TRect inner = area.Intersect(cut);
  if (inner.IsEmpty()) return {area};
  std::vector<TRect> parts;
  const TRect bands[] = {{area.Left, area.Top, area.Right, inner.Top},
                         {area.Left, inner.Bottom, area.Right, area.Bottom},
                         {area.Left, inner.Top, inner.Left, inner.Bottom},
                         {inner.Right, inner.Top, area.Right, inner.Bottom}};
  for (const TRect& band : bands)
    if (!band.IsEmpty()) parts.push_back(band);
  return parts;
}

std::size_t BytesOf(TSize size) {
  if (size.cx <= 0 || size.cy <= 0 || size.cx > kMaxSide || size.cy > kMaxSide)
    throw std::invalid_argument("buffer size out of range");
  return static_cast<std::size_t>(size.cx) * static_cast<std::size_t>(size.cy) * sizeof(std::uint32_t);
}

}  // namespace

TShmBufferPool::TShmBufferPool(wl_shm* shm, TSize size, std::function<void()> released, TAlpha alpha)
    : FSize(size), FShm(shm), FSet(BytesOf(size), std::move(released), alpha) {}

TShmBuffer* TShmBufferPool::Acquire() {
  const int before = Count();
  // The latest buffer, once released, is up to date: no copying at all.
  TShmBuffer* buffer = FSet.Free(FLatest);
  // A new buffer is blank: wherever a frame has been, it is stale.
  if (buffer && Count() > before && FLatest) buffer->Stale = {0, 0, FSize.cx, FSize.cy};
  return buffer;
}

void TShmBufferPool::Submit(TShmBuffer& buffer, const TRect& damage) {
  if (buffer.Held) throw std::logic_error("a held buffer was submitted");
  if (FLatest && FLatest != &buffer)
    for (const TRect& part : Outside(buffer.Stale, damage)) CopyFromLatest(buffer, part);
  buffer.Stale = {};
  FSet.ForEach([&](TShmBuffer& other) {
    if (&other != &buffer) other.Stale = other.Stale.Union(damage);
  });
  FSet.Hold(buffer);
  FLatest = &buffer;
}

void TShmBufferPool::CopyFromLatest(TShmBuffer& buffer, const TRect& area) {
  const TRect clipped = area.Intersect({0, 0, FSize.cx, FSize.cy});
  for (int y = clipped.Top; y < clipped.Bottom; ++y) {
    const std::size_t at =
        static_cast<std::size_t>(y) * static_cast<std::size_t>(FSize.cx) + static_cast<std::size_t>(clipped.Left);
    std::memcpy(buffer.Pixels + at, FLatest->Pixels + at, static_cast<std::size_t>(clipped.Width()) * 4);
  }
}
