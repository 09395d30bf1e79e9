#pragma once
#include "Control.h"

// The screen as the application sees it: one cursor that, while it is not crDefault,
// shows over every window of the program instead of the controls' own.
class TScreen {
 public:
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor cursor);
  // What the window system is asked to show for a cursor value. Positive values are slots
  // of the application's own cursor table; the program brings no cursor images, so they
  // show the default arrow.
  TCursor Resolve(TCursor cursor) const { return cursor > 0 ? crDefault : cursor; }

 private:
  TCursor FCursor = crDefault;
};

extern TScreen* Screen;
