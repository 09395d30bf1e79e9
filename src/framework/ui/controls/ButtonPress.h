#pragma once
#include "framework/base/StoreChanged.h"

// How a push button looks under the mouse: pressed while the left button, gone down on it,
// holds it and the pointer is over it. Each step tells whether the look changed, so that
// the button redraws only then.
class TButtonPress {
 public:
  bool Pressed() const { return FPressed; }

  bool Down() {
    FHeld = true;
    return StoreChanged(FPressed, true);
  }
  bool Moved(bool overButton) { return FHeld && StoreChanged(FPressed, overButton); }
  // The button came up, or its release will not come here.
  bool Released() {
    FHeld = false;
    return StoreChanged(FPressed, false);
  }

 private:
  bool FPressed = false;
  bool FHeld = false;
};
