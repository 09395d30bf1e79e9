#pragma once
#include <map>

#include "Control.h"

// The screen as the application sees it: one cursor that, while it is not crDefault,
// shows over every window of the program instead of the controls' own; and the
// application's cursor table, whose positive slots hold pictures the program brings.
class TScreen {
 public:
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor cursor);

  // Fills a slot of the cursor table (null empties it). Giving a slot the picture it holds
  // already does nothing, so that every user of a slot can fill it and the display still
  // makes each cursor once.
  void SetCursorImage(TCursor slot, const TCursorImage* image);
  const TCursorImage* CursorImage(TCursor slot) const;
  // What the window system is asked to show for a cursor value: an empty slot shows the
  // default arrow.
  TCursor Resolve(TCursor cursor) const { return cursor > 0 && !CursorImage(cursor) ? crDefault : cursor; }

 private:
  TCursor FCursor = crDefault;
  std::map<TCursor, const TCursorImage*> FImages;
};

extern TScreen* Screen;
