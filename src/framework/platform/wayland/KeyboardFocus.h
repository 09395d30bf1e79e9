#pragma once
#include "framework/platform/WindowSystem.h"

// Which of the program's windows has the keyboard, and when the program as a whole gains or
// loses it. A compositor moving the keyboard between two of our windows sends a leave and an
// enter in one batch of events: only a leave that no enter follows in its batch deactivates.
class TKeyboardFocus {
 public:
  TWindowHandle Window() const { return FFocus; }
  // True when the program had no window with the keyboard: it is activated.
  bool Entered(TWindowHandle window);
  void Left();
  // At the end of a batch of events: the window that lost the keyboard to another client's
  // surface, else 0.
  TWindowHandle LostInBatch();
  // The window is going or the keyboard is gone: no news of it.
  void Forget(TWindowHandle window);

 private:
  TWindowHandle FFocus = 0;
  TWindowHandle FLeft = 0;
};
