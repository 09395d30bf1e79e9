#include "X11ErrorTrap.h"

namespace {

// The newest failed request; Xlib's handler receives no user data.
Display* gFailedOn = nullptr;
unsigned long gLastFailedSerial = 0;

int RecordError(Display* display, XErrorEvent* error) {
  gFailedOn = display;
  gLastFailedSerial = error->serial;
  return 0;
}

}  // namespace

TX11ErrorTrap::TX11ErrorTrap(Display* display) : FDisplay(display), FFirstSerial(NextRequest(display)) {
  // Serials restart with every connection: an old failure must not count for this one.
  gFailedOn = nullptr;
}

bool TX11ErrorTrap::Failed() {
  XSync(FDisplay, False);
  return gFailedOn == FDisplay && gLastFailedSerial >= FFirstSerial;
}

void TX11ErrorTrap::InstallHandler() { XSetErrorHandler(RecordError); }
