#include "X11ErrorTrap.h"

namespace {

// The serial of the newest failed request; Xlib's handler receives no user data.
unsigned long gLastFailedSerial = 0;
bool gAnyFailure = false;

int RecordError(Display*, XErrorEvent* error) {
  gLastFailedSerial = error->serial;
  gAnyFailure = true;
  return 0;
}

}  // namespace

TX11ErrorTrap::TX11ErrorTrap(Display* display) : FDisplay(display), FFirstSerial(NextRequest(display)) {}

bool TX11ErrorTrap::Failed() {
  XSync(FDisplay, False);
  return gAnyFailure && gLastFailedSerial >= FFirstSerial;
}

void TX11ErrorTrap::InstallHandler() { XSetErrorHandler(RecordError); }
