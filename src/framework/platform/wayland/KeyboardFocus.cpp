#include "KeyboardFocus.h"

#include <utility>

bool TKeyboardFocus::Entered(TWindowHandle window) {
  const bool activated = !FFocus && !FLeft;
  FFocus = window;
  FLeft = 0;
  return activated;
}

void TKeyboardFocus::Left() {
  if (FFocus) FLeft = FFocus;
  FFocus = 0;
}

// An enter in the same batch has cleared it already.
TWindowHandle TKeyboardFocus::LostInBatch() { return std::exchange(FLeft, 0); }

void TKeyboardFocus::Forget(TWindowHandle window) {
  if (FFocus == window) FFocus = 0;
  if (FLeft == window) FLeft = 0;
}
