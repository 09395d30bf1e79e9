#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <utility>

#include "framework/platform/Input.h"

class TShmBufferPool;
class TWaylandGlobals;
struct wl_buffer;
struct wl_cursor_theme;
struct wl_pointer;
struct wl_surface;

// The pointer's picture over the program's windows, at the scale of the window under it:
// none at all, one of the program's own pictures (those it defines and the drag cursors),
// or one of the cursor theme's.
class TWaylandCursors {
 public:
  explicit TWaylandCursors(TWaylandGlobals& globals);
  ~TWaylandCursors();
  TWaylandCursors(const TWaylandCursors&) = delete;
  TWaylandCursors& operator=(const TWaylandCursors&) = delete;

  // Gives a cursor value a picture of the program's own.
  void Define(TCursor cursor, const TCursorImage& image);
  // Shows `cursor` for the pointer that entered a surface with `serial`.
  void Show(wl_pointer* pointer, std::uint32_t serial, TCursor cursor, int scale);

 private:
  bool ShowPicture(wl_pointer* pointer, std::uint32_t serial, TCursor cursor, int scale);
  void ShowThemed(wl_pointer* pointer, std::uint32_t serial, TCursor cursor, int scale);
  // `hotSpot` in the surface's logical pixels.
  void Attach(wl_pointer* pointer, std::uint32_t serial, wl_buffer* buffer, int scale, TPoint hotSpot);
  bool LoadTheme(int scale);

  TWaylandGlobals& FGlobals;
  wl_cursor_theme* FTheme = nullptr;
  int FThemeScale = 0;
  wl_surface* FSurface = nullptr;
  std::map<TCursor, TCursorImage> FImages;
  // The pictures made so far, by cursor and scale: one buffer each, never written again.
  std::map<std::pair<TCursor, int>, std::unique_ptr<TShmBufferPool>> FPictures;
};
