#pragma once
#include <cstdint>

#include "framework/platform/Input.h"

class TWaylandGlobals;
struct wl_cursor_theme;
struct wl_pointer;
struct wl_surface;

// The pointer's picture over the program's windows: none at all, or one of the cursor
// theme's, at the scale of the window under the pointer.
class TWaylandCursors {
 public:
  explicit TWaylandCursors(TWaylandGlobals& globals) : FGlobals(globals) {}
  ~TWaylandCursors();
  TWaylandCursors(const TWaylandCursors&) = delete;
  TWaylandCursors& operator=(const TWaylandCursors&) = delete;

  // Shows `cursor` for the pointer that entered a surface with `serial`.
  void Show(wl_pointer* pointer, std::uint32_t serial, TCursor cursor, int scale);

 private:
  bool LoadTheme(int scale);

  TWaylandGlobals& FGlobals;
  wl_cursor_theme* FTheme = nullptr;
  int FThemeScale = 0;
  wl_surface* FSurface = nullptr;
};
