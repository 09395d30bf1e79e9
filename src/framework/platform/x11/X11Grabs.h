#pragma once
#include "X11Api.h"

#include <cstdint>

// The saver's hold on keyboard and pointer, so that no other program gets input while it
// runs. A grab needs a viewable window, and another client may hold a grab for a moment
// (a menu, the program that started us): the grab is taken once the window is mapped and
// retried for a bounded time.
class TX11Grabs {
 public:
  static constexpr std::int64_t kRetryForMs = 3000;

  explicit TX11Grabs(Display* display) : FDisplay(display) {}

  // Window 0: the next full-screen window mapped.
  void Want(Window window);
  void Release();
  void WindowMapped(Window window, bool fullScreen, std::int64_t nowMs);
  // Tries again the grabs still missing while time is left; true while some are missing.
  bool Retry(std::int64_t nowMs);

 private:
  bool Pending() const { return FWanted && FMapped && !(FKeyboard && FPointer); }

  Display* FDisplay;
  Window FWindow = 0;
  bool FWanted = false;
  bool FMapped = false;
  bool FKeyboard = false;
  bool FPointer = false;
  std::int64_t FGiveUpAtMs = 0;
};
