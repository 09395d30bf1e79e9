// libquenbrel-attach-counter.so, loaded into a Wayland client with LD_PRELOAD: adds up the
// pixel area and the number of the buffers that the client attaches to its surfaces, in the
// file named by QUENBREL_PUT_COUNTER, laid out as libquenbrel-put-counter.so lays it out for
// X11 (two 64-bit words in this machine's order: area, buffers). A client's frames on Wayland
// and on X11 are then counted alike: the area over the area of one frame.
//
// Every request of a client passes through wl_proxy_marshal_array_flags, which takes its
// arguments as an array: the counter sees shared-memory buffers made (their size) and buffers
// attached, and hands every request on unchanged.
#include <wayland-client.h>

#include <cstdint>
#include <cstring>
#include <mutex>
#include <unordered_map>

#include "PutCounts.h"

namespace {

// The opcodes of the requests counted, from the core protocol's order.
constexpr std::uint32_t kCreateBuffer = 0;   // wl_shm_pool.create_buffer(id, offset, width, height, ...)
constexpr std::uint32_t kAttach = 1;         // wl_surface.attach(buffer, x, y)
constexpr std::uint32_t kDestroyBuffer = 0;  // wl_buffer.destroy

// The pixel area of each buffer the client has made and not destroyed.
std::mutex Lock;
std::unordered_map<const wl_proxy*, std::uint64_t> BufferAreas;

bool Is(wl_proxy* proxy, const wl_interface& interface) {
  return std::strcmp(wl_proxy_get_class(proxy), interface.name) == 0;
}

void CountAttach(const wl_proxy* buffer) {
  std::lock_guard guard(Lock);
  const auto found = BufferAreas.find(buffer);
  if (found != BufferAreas.end()) CountPut(found->second);
}

}  // namespace

extern "C" wl_proxy* wl_proxy_marshal_array_flags(wl_proxy* proxy, std::uint32_t opcode, const wl_interface* interface,
                                                  std::uint32_t version, std::uint32_t flags, wl_argument* args) {
  static auto* const next = Next<decltype(wl_proxy_marshal_array_flags)>("wl_proxy_marshal_array_flags");
  if (opcode == kAttach && Is(proxy, wl_surface_interface)) CountAttach(reinterpret_cast<const wl_proxy*>(args[0].o));
  if (opcode == kDestroyBuffer && Is(proxy, wl_buffer_interface)) {
    std::lock_guard guard(Lock);
    BufferAreas.erase(proxy);
  }
  wl_proxy* made = next(proxy, opcode, interface, version, flags, args);
  if (opcode == kCreateBuffer && made && Is(proxy, wl_shm_pool_interface)) {
    std::lock_guard guard(Lock);
    BufferAreas[made] = static_cast<std::uint64_t>(args[2].i) * static_cast<std::uint64_t>(args[3].i);
  }
  return made;
}
