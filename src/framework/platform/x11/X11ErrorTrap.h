#pragma once
#include "X11Api.h"

// Xlib's default error handler ends the process. A window of another client (the preview's
// host) may vanish at any moment, so errors are recorded instead; a trap tells whether the
// requests made during its lifetime failed.
class TX11ErrorTrap {
 public:
  explicit TX11ErrorTrap(Display* display);
  // Waits for the server to process the trapped requests; true when any of them failed.
  bool Failed();

  // Replaces Xlib's exiting handler with the recording one, once per process.
  static void InstallHandler();

 private:
  Display* FDisplay;
  unsigned long FFirstSerial;
};
