#include "WaylandCursors.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "CursorPicture.h"
#include "ShmBufferPool.h"
#include "WaylandApi.h"
#include "WaylandGlobals.h"
#include "framework/platform/DragCursorImages.h"

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

TWaylandCursors::TWaylandCursors(TWaylandGlobals& globals) : FGlobals(globals) {}

TWaylandCursors::~TWaylandCursors() {
  if (FSurface) wl_surface_destroy(FSurface);
  if (FTheme) wl_cursor_theme_destroy(FTheme);
}

void TWaylandCursors::Define(TCursor cursor, const TCursorImage& image) {
  FImages[cursor] = image;
  std::erase_if(FPictures, [cursor](const auto& picture) { return picture.first.first == cursor; });
}

void TWaylandCursors::Show(wl_pointer* pointer, std::uint32_t serial, TCursor cursor, int scale) {
  if (cursor == crNone) wl_pointer_set_cursor(pointer, serial, nullptr, 0, 0);
  else if (!ShowPicture(pointer, serial, cursor, scale)) ShowThemed(pointer, serial, cursor, scale);
}

bool TWaylandCursors::ShowPicture(wl_pointer* pointer, std::uint32_t serial, TCursor cursor, int scale) {
  const auto defined = FImages.find(cursor);
  const TCursorImage* image = defined != FImages.end() ? &defined->second : BuiltInCursorImage(cursor);
  if (!image || image->Width() == 0) return false;
  std::unique_ptr<TShmBufferPool>& picture = FPictures[{cursor, scale}];
  if (!picture) {
    try {
      picture = std::make_unique<TShmBufferPool>(FGlobals.Shm, TSize{image->Width() * scale, image->Height() * scale},
                                                 nullptr, TShmBufferPool::TAlpha::Premultiplied);
    } catch (const std::exception&) {
      FPictures.erase({cursor, scale});
      return false;
    }
    const std::vector<std::uint32_t> pixels = CursorPixels(*image, scale);
    std::copy(pixels.begin(), pixels.end(), picture->Acquire()->Pixels);
  }
  // The one buffer is shown again and again: the compositor may hold it all along.
  Attach(pointer, serial, picture->Attachable(*picture->Acquire()), scale, image->HotSpot);
  return true;
}

// Without a theme the compositor's own picture stays.
void TWaylandCursors::ShowThemed(wl_pointer* pointer, std::uint32_t serial, TCursor cursor, int scale) {
  if (!LoadTheme(scale)) return;
  wl_cursor* themed = wl_cursor_theme_get_cursor(FTheme, ThemeName(cursor));
  if (!themed) themed = wl_cursor_theme_get_cursor(FTheme, "left_ptr");
  if (!themed || themed->image_count == 0) return;
  wl_cursor_image* image = themed->images[0];
  wl_buffer* buffer = wl_cursor_image_get_buffer(image);
  if (!buffer) return;
  Attach(pointer, serial, buffer, scale,
         {static_cast<int>(image->hotspot_x) / scale, static_cast<int>(image->hotspot_y) / scale});
}

void TWaylandCursors::Attach(wl_pointer* pointer, std::uint32_t serial, wl_buffer* buffer, int scale, TPoint hotSpot) {
  if (!FSurface) FSurface = wl_compositor_create_surface(FGlobals.Compositor);
  wl_surface_set_buffer_scale(FSurface, scale);
  wl_surface_attach(FSurface, buffer, 0, 0);
  wl_surface_damage_buffer(FSurface, 0, 0, INT32_MAX, INT32_MAX);
  wl_surface_commit(FSurface);
  wl_pointer_set_cursor(pointer, serial, FSurface, hotSpot.X, hotSpot.Y);
}

bool TWaylandCursors::LoadTheme(int scale) {
  if (FTheme && FThemeScale == scale) return true;
  if (FTheme) wl_cursor_theme_destroy(FTheme);
  FTheme = wl_cursor_theme_load(nullptr, kThemeSize * scale, FGlobals.Shm);
  FThemeScale = scale;
  return FTheme != nullptr;
}
