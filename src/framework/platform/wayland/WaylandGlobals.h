#pragma once
#include <cstdint>
#include <functional>

class TWaylandOutputs;
struct wl_compositor;
struct wl_display;
struct wl_registry;
struct wl_seat;
struct wl_shm;
struct wp_fractional_scale_manager_v1;
struct wp_viewporter;
struct xdg_wm_base;
struct zwlr_layer_shell_v1;
struct zxdg_decoration_manager_v1;

// The compositor's global objects that the backend uses, bound as they are announced:
// outputs go to the output list, the first seat to `seatChanged` (null once it is gone).
class TWaylandGlobals {
 public:
  TWaylandGlobals(wl_display* display, TWaylandOutputs& outputs, std::function<void(wl_seat*)> seatChanged);
  ~TWaylandGlobals();
  TWaylandGlobals(const TWaylandGlobals&) = delete;
  TWaylandGlobals& operator=(const TWaylandGlobals&) = delete;

  wl_compositor* Compositor = nullptr;
  wl_shm* Shm = nullptr;
  xdg_wm_base* Shell = nullptr;
  zwlr_layer_shell_v1* LayerShell = nullptr;
  zxdg_decoration_manager_v1* Decorations = nullptr;  // frames drawn by the compositor
  // Fractional scales: what the compositor prefers, and buffers shown at a logical size.
  wp_fractional_scale_manager_v1* FractionalScales = nullptr;
  wp_viewporter* Viewporter = nullptr;

  // The registry's announcements and withdrawals.
  void Announced(std::uint32_t name, const char* interface, std::uint32_t version);
  void Withdrawn(std::uint32_t name);

 private:
  wl_registry* FRegistry = nullptr;
  TWaylandOutputs& FOutputs;
  std::function<void(wl_seat*)> FSeatChanged;
  std::uint32_t FSeatName = 0;
};
