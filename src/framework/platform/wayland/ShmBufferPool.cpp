#include "ShmBufferPool.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <system_error>

#include "WaylandApi.h"
#include "WaylandLimits.h"

namespace {

[[noreturn]] void ThrowErrno(const char* what) { throw std::system_error(errno, std::generic_category(), what); }

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

const wl_buffer_listener kBufferListener = {.release = [](void* data, wl_buffer*) {
  auto* buffer = static_cast<TShmBuffer*>(data);
  buffer->Pool->Released(*buffer);
}};

}  // namespace

TShmBufferPool::TShmBufferPool(wl_shm* shm, TSize size, std::function<void()> released, TAlpha alpha)
    : FSize(size), FAlpha(alpha), FReleased(std::move(released)), FShm(shm) {
  if (size.cx <= 0 || size.cy <= 0 || size.cx > kMaxSide || size.cy > kMaxSide)
    throw std::invalid_argument("buffer size out of range");
  FBufferBytes = static_cast<std::size_t>(size.cx) * static_cast<std::size_t>(size.cy) * sizeof(std::uint32_t);
  const std::size_t total = FBufferBytes * Capacity;
  // The protocol gives a pool's size as a 32-bit signed number.
  if (total > INT32_MAX) throw std::invalid_argument("buffer size out of range");
  FFd = memfd_create("zzquenbrel-frames", MFD_CLOEXEC);
  if (FFd < 0) ThrowErrno("memfd_create");
  // The file is sparse: a buffer's pages cost memory once it is first drawn.
  if (ftruncate(FFd, static_cast<off_t>(total)) != 0 ||
      (FMemory = mmap(nullptr, total, PROT_READ | PROT_WRITE, MAP_SHARED, FFd, 0)) == MAP_FAILED) {
    FMemory = nullptr;
    const int error = errno;
    close(FFd);
    throw std::system_error(error, std::generic_category(), "frame memory");
  }
  if (FShm) FPool = wl_shm_create_pool(FShm, FFd, static_cast<std::int32_t>(total));
}

TShmBufferPool::~TShmBufferPool() {
  // The compositor keeps its own mapping of buffers it still shows.
  for (const auto& buffer : FBuffers)
    if (buffer->Buffer) wl_buffer_destroy(buffer->Buffer);
  if (FPool) wl_shm_pool_destroy(FPool);
  munmap(FMemory, FBufferBytes * Capacity);
  close(FFd);
}

TShmBuffer* TShmBufferPool::Acquire() {
  // The latest buffer, once released, is up to date: no copying at all.
  if (FLatest && !FLatest->Held) return FLatest;
  for (const auto& buffer : FBuffers)
    if (!buffer->Held) return buffer.get();
  if (Count() < Capacity) return &Add();
  return nullptr;
}

TShmBuffer& TShmBufferPool::Add() {
  auto buffer = std::make_unique<TShmBuffer>();
  const std::size_t offset = FBufferBytes * FBuffers.size();
  buffer->Pool = this;
  buffer->Pixels = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(FMemory) + offset);
  // A new buffer is blank: wherever a frame has been, it is stale.
  if (FLatest) buffer->Stale = {0, 0, FSize.cx, FSize.cy};
  if (FPool) {
    buffer->Buffer =
        wl_shm_pool_create_buffer(FPool, static_cast<std::int32_t>(offset), FSize.cx, FSize.cy, FSize.cx * 4,
                                  FAlpha == TAlpha::Opaque ? WL_SHM_FORMAT_XRGB8888 : WL_SHM_FORMAT_ARGB8888);
    wl_buffer_add_listener(buffer->Buffer, &kBufferListener, buffer.get());
  }
  FBuffers.push_back(std::move(buffer));
  return *FBuffers.back();
}

void TShmBufferPool::Submit(TShmBuffer& buffer, const TRect& damage) {
  if (buffer.Held) throw std::logic_error("a held buffer was submitted");
  if (FLatest && FLatest != &buffer)
    for (const TRect& part : Outside(buffer.Stale, damage)) CopyFromLatest(buffer, part);
  buffer.Stale = {};
  for (const auto& other : FBuffers)
    if (other.get() != &buffer) other->Stale = other->Stale.Union(damage);
  buffer.Held = true;
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

void TShmBufferPool::Released(TShmBuffer& buffer) {
  buffer.Held = false;
  if (FReleased) FReleased();
}
