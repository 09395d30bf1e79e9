#include "X11Cursors.h"


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

Cursor TX11Cursors::Make(TCursor cursor) {
  switch (cursor) {
    case crNone: return MakeInvisible();
    case crHourGlass: return XCreateFontCursor(FDisplay, XC_watch);
    case crHandPoint: return XCreateFontCursor(FDisplay, XC_hand2);
    case crCross: return XCreateFontCursor(FDisplay, XC_crosshair);
    case crIBeam: return XCreateFontCursor(FDisplay, XC_xterm);
    case crDrag: return XCreateFontCursor(FDisplay, XC_dotbox);
    case crNoDrop: return XCreateFontCursor(FDisplay, XC_X_cursor);
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
