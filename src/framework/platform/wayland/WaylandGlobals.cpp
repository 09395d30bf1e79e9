#include "WaylandGlobals.h"

#include <algorithm>
#include <cstring>

#include "WaylandApi.h"
#include "WaylandOutputs.h"

namespace {

TWaylandGlobals& Globals(void* data) { return *static_cast<TWaylandGlobals*>(data); }

const wl_registry_listener kRegistryListener = {
    .global = [](void* data, wl_registry*, std::uint32_t name, const char* interface,
                 std::uint32_t version) { Globals(data).Announced(name, interface, version); },
    .global_remove = [](void* data, wl_registry*, std::uint32_t name) { Globals(data).Withdrawn(name); },
};

// The compositor checks that its clients are alive.
const xdg_wm_base_listener kShellListener = {
    .ping = [](void*, xdg_wm_base* shell, std::uint32_t serial) { xdg_wm_base_pong(shell, serial); },
};

// Binds at the version the backend was written for, or the compositor's when older.
template <class T>
T* Bind(wl_registry* registry, std::uint32_t name, const wl_interface& interface, std::uint32_t offered,
        std::uint32_t wanted) {
  return static_cast<T*>(wl_registry_bind(registry, name, &interface, std::min(offered, wanted)));
}

}  // namespace

TWaylandGlobals::TWaylandGlobals(wl_display* display, TWaylandOutputs& outputs,
                                 std::function<void(wl_seat*)> seatChanged)
    : FRegistry(wl_display_get_registry(display)), FOutputs(outputs), FSeatChanged(std::move(seatChanged)) {
  wl_registry_add_listener(FRegistry, &kRegistryListener, this);
}

TWaylandGlobals::~TWaylandGlobals() {
  if (LayerShell) {
    if (zwlr_layer_shell_v1_get_version(LayerShell) >= 3) zwlr_layer_shell_v1_destroy(LayerShell);
    else wl_proxy_destroy(reinterpret_cast<wl_proxy*>(LayerShell));
  }
  if (FractionalScales) wp_fractional_scale_manager_v1_destroy(FractionalScales);
  if (Viewporter) wp_viewporter_destroy(Viewporter);
  if (Decorations) zxdg_decoration_manager_v1_destroy(Decorations);
  if (Shell) xdg_wm_base_destroy(Shell);
  if (Shm) wl_shm_destroy(Shm);
  if (Compositor) wl_compositor_destroy(Compositor);
  wl_registry_destroy(FRegistry);
}

void TWaylandGlobals::Announced(std::uint32_t name, const char* interface, std::uint32_t version) {
  const auto is = [interface](const wl_interface& known) { return std::strcmp(interface, known.name) == 0; };
  // Version 4: buffer scale (3) and damage in buffer pixels (4).
  if (is(wl_compositor_interface) && !Compositor && version >= 4)
    Compositor = Bind<wl_compositor>(FRegistry, name, wl_compositor_interface, version, 4);
  else if (is(wl_shm_interface) && !Shm) Shm = Bind<wl_shm>(FRegistry, name, wl_shm_interface, version, 1);
  else if (is(xdg_wm_base_interface) && !Shell) {
    Shell = Bind<xdg_wm_base>(FRegistry, name, xdg_wm_base_interface, version, 2);
    xdg_wm_base_add_listener(Shell, &kShellListener, nullptr);
  } else if (is(zwlr_layer_shell_v1_interface) && !LayerShell)
    LayerShell = Bind<zwlr_layer_shell_v1>(FRegistry, name, zwlr_layer_shell_v1_interface, version, 3);
  else if (is(zxdg_decoration_manager_v1_interface) && !Decorations)
    Decorations = Bind<zxdg_decoration_manager_v1>(FRegistry, name, zxdg_decoration_manager_v1_interface, version, 1);
  else if (is(wp_viewporter_interface) && !Viewporter)
    Viewporter = Bind<wp_viewporter>(FRegistry, name, wp_viewporter_interface, version, 1);
  else if (is(wp_fractional_scale_manager_v1_interface) && !FractionalScales)
    FractionalScales =
        Bind<wp_fractional_scale_manager_v1>(FRegistry, name, wp_fractional_scale_manager_v1_interface, version, 1);
  // Version 2 tells the scale and when a description is complete; 4 the output's name.
  else if (is(wl_output_interface) && version >= 2)
    FOutputs.Add(name, Bind<wl_output>(FRegistry, name, wl_output_interface, version, 4));
  else if (is(wl_seat_interface) && FSeatName == 0) {
    FSeatName = name;
    // Version 5: the wheel in notches, events grouped in frames.
    FSeatChanged(Bind<wl_seat>(FRegistry, name, wl_seat_interface, version, 5));
  }
}

void TWaylandGlobals::Withdrawn(std::uint32_t name) {
  if (FOutputs.Remove(name)) return;
  if (name == FSeatName) {
    FSeatName = 0;
    FSeatChanged(nullptr);
  }
}
