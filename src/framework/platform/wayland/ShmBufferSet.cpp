#include "ShmBufferSet.h"

#include <sanitizer/asan_interface.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <system_error>

#include "WaylandApi.h"

namespace {

constexpr std::size_t kPage = 4096;

std::size_t WholePages(std::size_t bytes) { return (bytes + kPage - 1) / kPage * kPage; }

const wl_buffer_listener kBufferListener = {.release = [](void* data, wl_buffer*) {
  auto* buffer = static_cast<TShmBuffer*>(data);
  buffer->Set->Released(*buffer);
}};

}  // namespace

TShmBufferSet::TShmBufferSet(std::size_t bufferBytes, std::function<void()> released, TAlpha alpha)
    : FBufferBytes(bufferBytes),
      FSlotBytes(WholePages(bufferBytes) + kPage),
      FReleased(std::move(released)),
      FAlpha(alpha) {
  // The protocol gives a pool's size as a 32-bit signed number.
  if (bufferBytes == 0 || bufferBytes > INT32_MAX || FSlotBytes > INT32_MAX / Capacity)
    throw std::invalid_argument("buffer size out of range");
  const std::size_t total = FSlotBytes * Capacity;
  FFd = memfd_create("zzquenbrel-frames", MFD_CLOEXEC);
  if (FFd < 0) throw std::system_error(errno, std::generic_category(), "memfd_create");
  // The file is sparse: a buffer's pages cost memory once it is first drawn.
  void* memory = MAP_FAILED;
  if (ftruncate(FFd, static_cast<off_t>(total)) == 0)
    memory = mmap(nullptr, total, PROT_READ | PROT_WRITE, MAP_SHARED, FFd, 0);
  if (memory == MAP_FAILED) {
    const int error = errno;
    close(FFd);
    throw std::system_error(error, std::generic_category(), "frame memory");
  }
  FMemory = static_cast<std::uint8_t*>(memory);
  ASAN_POISON_MEMORY_REGION(FMemory, total);
}

TShmBufferSet::~TShmBufferSet() {
  // The compositor keeps its own mapping of buffers it still shows.
  Disconnect();
  const std::size_t total = FSlotBytes * Capacity;
  ASAN_UNPOISON_MEMORY_REGION(FMemory, total);
  munmap(FMemory, total);
  close(FFd);
}

TShmBuffer* TShmBufferSet::Free(TShmBuffer* preferred) {
  if (preferred && !preferred->Held) return preferred;
  for (const auto& buffer : FBuffers)
    if (!buffer->Held) return buffer.get();
  if (Count() < Capacity) return &Add();
  return nullptr;
}

TShmBuffer& TShmBufferSet::Add() {
  auto buffer = std::make_unique<TShmBuffer>();
  buffer->Set = this;
  buffer->Offset = FSlotBytes * FBuffers.size();
  buffer->Pixels = reinterpret_cast<std::uint32_t*>(FMemory + buffer->Offset);
  SetAccessible(*buffer, true);
  FBuffers.push_back(std::move(buffer));
  return *FBuffers.back();
}

wl_buffer* TShmBufferSet::Attachable(TShmBuffer& buffer, wl_shm* shm, TSize size) {
  if (!shm) return nullptr;
  if (static_cast<std::size_t>(size.cx) * static_cast<std::size_t>(size.cy) * 4 > FBufferBytes)
    throw std::logic_error("a buffer shown larger than it is");
  if (buffer.Buffer && buffer.BufferSize == size) return buffer.Buffer;
  DestroyHandle(buffer);
  if (!FPool) FPool = wl_shm_create_pool(shm, FFd, static_cast<std::int32_t>(FSlotBytes * Capacity));
  buffer.Buffer =
      wl_shm_pool_create_buffer(FPool, static_cast<std::int32_t>(buffer.Offset), size.cx, size.cy, size.cx * 4,
                                FAlpha == TAlpha::Opaque ? WL_SHM_FORMAT_XRGB8888 : WL_SHM_FORMAT_ARGB8888);
  buffer.BufferSize = size;
  wl_buffer_add_listener(buffer.Buffer, &kBufferListener, &buffer);
  return buffer.Buffer;
}

void TShmBufferSet::Released(TShmBuffer& buffer) {
  buffer.Held = false;
  if (FReleased) FReleased();
}

void TShmBufferSet::Disconnect() {
  for (const auto& buffer : FBuffers) {
    DestroyHandle(*buffer);
    buffer->Held = false;
  }
  if (FPool) wl_shm_pool_destroy(FPool);
  FPool = nullptr;
}

void TShmBufferSet::DestroyHandle(TShmBuffer& buffer) {
  if (buffer.Buffer) wl_buffer_destroy(buffer.Buffer);
  buffer.Buffer = nullptr;
}

void TShmBufferSet::SetAccessible(const TShmBuffer& buffer, bool accessible) {
  if (accessible) ASAN_UNPOISON_MEMORY_REGION(buffer.Pixels, FBufferBytes);
  else ASAN_POISON_MEMORY_REGION(buffer.Pixels, FBufferBytes);
}
