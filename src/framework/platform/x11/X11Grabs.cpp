#include "X11Grabs.h"

void TX11Grabs::Want(Window window) {
  FWindow = window;
  FWanted = true;
}

void TX11Grabs::Release() {
  if (FKeyboard) XUngrabKeyboard(FDisplay, CurrentTime);
  if (FPointer) XUngrabPointer(FDisplay, CurrentTime);
  // Released when this returns, not some time later: another client may grab next.
  XSync(FDisplay, False);
  FWanted = FMapped = FKeyboard = FPointer = false;
  FWindow = 0;
}

void TX11Grabs::WindowMapped(Window window, bool fullScreen, std::int64_t nowMs) {
  if (!FWanted || FMapped || !(window == FWindow || (FWindow == 0 && fullScreen))) return;
  FWindow = window;
  FMapped = true;
  FGiveUpAtMs = nowMs + kRetryForMs;
  Retry(nowMs);
}

bool TX11Grabs::Retry(std::int64_t nowMs) {
  if (!Pending() || nowMs >= FGiveUpAtMs) return false;
  if (!FKeyboard)
    FKeyboard = XGrabKeyboard(FDisplay, FWindow, False, GrabModeAsync, GrabModeAsync, CurrentTime) == GrabSuccess;
  if (!FPointer)
    FPointer = XGrabPointer(FDisplay, FWindow, False, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                            GrabModeAsync, GrabModeAsync, None, None, CurrentTime) == GrabSuccess;
  return Pending();
}
