#include "X11Cursors.h"

#include <vector>

#include "framework/platform/DragCursorImages.h"

namespace {

// One plane of a cursor picture, each pixel `scale` pixels on a side, as X bitmap data: rows
// padded to whole bytes, the lowest bit of each byte the leftmost pixel.
std::vector<char> Plane(const TCursorImage& image, int scale, bool (*set)(char)) {
  const int width = image.Width() * scale, height = image.Height() * scale, stride = (width + 7) / 8;
  std::vector<char> bits(static_cast<std::size_t>(stride * height), 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (set(image.Rows[static_cast<std::size_t>(y / scale)][static_cast<std::size_t>(x / scale)]))
        bits[static_cast<std::size_t>(y * stride + x / 8)] |= static_cast<char>(1 << (x % 8));
  return bits;
}

}  // namespace

TX11Cursors::~TX11Cursors() {
  for (const auto& [value, cursor] : FMade) XFreeCursor(FDisplay, cursor);
}

Cursor TX11Cursors::For(TCursor cursor) {
  if (cursor == crDefault) return None;
  auto found = FMade.find(cursor);
  if (found != FMade.end()) return found->second;
  const Cursor made = Make(cursor);
  FMade.emplace(cursor, made);
  return made;
}

void TX11Cursors::Forget(TCursor cursor) {
  const auto found = FMade.find(cursor);
  if (found == FMade.end()) return;
  XFreeCursor(FDisplay, found->second);
  FMade.erase(found);
}

Cursor TX11Cursors::Make(TCursor cursor) {
  if (const auto image = FImages.find(cursor); image != FImages.end()) return MakeFromImage(image->second);
  if (const TCursorImage* builtIn = BuiltInCursorImage(cursor)) return MakeFromImage(*builtIn);
  switch (cursor) {
    case crNone: return MakeInvisible();
    case crHourGlass: return XCreateFontCursor(FDisplay, XC_watch);
    case crHandPoint: return XCreateFontCursor(FDisplay, XC_hand2);
    case crCross: return XCreateFontCursor(FDisplay, XC_crosshair);
    case crIBeam: return XCreateFontCursor(FDisplay, XC_xterm);
    default: return XCreateFontCursor(FDisplay, XC_left_ptr);
  }
}

// A 1x1 cursor whose mask shows nothing.
Cursor TX11Cursors::MakeInvisible() {
  const char bits = 0;
  const Pixmap blank = XCreateBitmapFromData(FDisplay, DefaultRootWindow(FDisplay), &bits, 1, 1);
  XColor black{};
  const Cursor cursor = XCreatePixmapCursor(FDisplay, blank, blank, &black, &black, 0, 0);
  XFreePixmap(FDisplay, blank);
  return cursor;
}

// The source plane is black where set, white elsewhere; the mask says which pixels show.
Cursor TX11Cursors::MakeFromImage(const TCursorImage& image) {
  const Window root = DefaultRootWindow(FDisplay);
  const auto width = static_cast<unsigned>(image.Width() * FScale),
             height = static_cast<unsigned>(image.Height() * FScale);
  const std::vector<char> black = Plane(image, FScale, [](char c) { return c == 'X'; });
  const std::vector<char> shown = Plane(image, FScale, [](char c) { return c != ' '; });
  const Pixmap source = XCreateBitmapFromData(FDisplay, root, black.data(), width, height);
  const Pixmap mask = XCreateBitmapFromData(FDisplay, root, shown.data(), width, height);
  XColor foreground{};
  XColor background{};
  background.red = background.green = background.blue = 0xFFFF;
  const Cursor cursor = XCreatePixmapCursor(FDisplay, source, mask, &foreground, &background,
                                            static_cast<unsigned>(image.HotSpot.X * FScale),
                                            static_cast<unsigned>(image.HotSpot.Y * FScale));
  XFreePixmap(FDisplay, source);
  XFreePixmap(FDisplay, mask);
  return cursor;
}
