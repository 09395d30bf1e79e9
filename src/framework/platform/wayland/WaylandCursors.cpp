#include "WaylandCursors.h"

#include "WaylandApi.h"
#include "WaylandGlobals.h"

namespace {

// The theme's name for each of the framework's cursors.
const char* ThemeName(TCursor cursor) {
  switch (cursor) {
    case crCross: return "crosshair";
    case crIBeam: return "xterm";
    case crHourGlass: return "watch";
    case crHandPoint: return "hand2";
    default: return "left_ptr";
  }
}

constexpr int kThemeSize = 24;

}  // namespace

TWaylandCursors::~TWaylandCursors() {
  if (FSurface) wl_surface_destroy(FSurface);
  if (FTheme) wl_cursor_theme_destroy(FTheme);
}

bool TWaylandCursors::LoadTheme(int scale) {
  if (FTheme && FThemeScale == scale) return true;
  if (FTheme) wl_cursor_theme_destroy(FTheme);
  FTheme = wl_cursor_theme_load(nullptr, kThemeSize * scale, FGlobals.Shm);
  FThemeScale = scale;
  return FTheme != nullptr;
}

void TWaylandCursors::Show(wl_pointer* pointer, std::uint32_t serial, TCursor cursor, int scale) {
  if (cursor == crNone) {
    wl_pointer_set_cursor(pointer, serial, nullptr, 0, 0);
    return;
  }
  if (!LoadTheme(scale)) return;  // without a theme the compositor's own picture stays
  wl_cursor* themed = wl_cursor_theme_get_cursor(FTheme, ThemeName(cursor));
  if (!themed) themed = wl_cursor_theme_get_cursor(FTheme, "left_ptr");
  if (!themed || themed->image_count == 0) return;
  wl_cursor_image* image = themed->images[0];
  wl_buffer* buffer = wl_cursor_image_get_buffer(image);
  if (!buffer) return;
  if (!FSurface) FSurface = wl_compositor_create_surface(FGlobals.Compositor);
  wl_surface_set_buffer_scale(FSurface, scale);
  wl_surface_attach(FSurface, buffer, 0, 0);
  wl_surface_damage_buffer(FSurface, 0, 0, INT32_MAX, INT32_MAX);
  wl_surface_commit(FSurface);
  wl_pointer_set_cursor(pointer, serial, FSurface, static_cast<std::int32_t>(image->hotspot_x) / scale,
                        static_cast<std::int32_t>(image->hotspot_y) / scale);
}
