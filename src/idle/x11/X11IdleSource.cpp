#include "idle/x11/X11IdleSource.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>
#include <sys/socket.h>

#include <cstdio>
#include <cstdlib>

namespace {

// Xlib ends the process on a broken connection whatever the handler does: say why first.
int ServerGone(Display*) {
  std::fputs("zzQuenbrel-idle: the X server has gone\n", stderr);
  std::exit(1);
}

// A window listed may be gone by the time its property is read: not worth ending for.
int IgnoreError(Display*, XErrorEvent*) { return 0; }

class TX11IdleSource final : public TIdleSource {
 public:
  TX11IdleSource(Display* display, unsigned seconds) : FDisplay(display), FThreshold(seconds * 1000UL) {}
  ~TX11IdleSource() override { XCloseDisplay(FDisplay); }

  int Descriptor() const override { return ConnectionNumber(FDisplay); }
  int WakeAfter() const override { return FWakeAfter; }
  void Dispatch(TIdleEvents& events) override;
  bool IdleInhibited() override;

 private:
  unsigned long IdleTime();

  Display* FDisplay;
  unsigned long FThreshold;  // milliseconds
  bool FIdle = false;
  unsigned long FLastIdleTime = 0;
  int FWakeAfter = 0;  // asks at once at the start
};

unsigned long TX11IdleSource::IdleTime() {
  XScreenSaverInfo info{};
  XScreenSaverQueryInfo(FDisplay, DefaultRootWindow(FDisplay), &info);
  return info.idle;
}

// The server tells nothing of input here: activity shows as an idle time that went down. While
// idle, that is looked at once per idle time, which is soon enough to start the next idle time
// on time.
void TX11IdleSource::Dispatch(TIdleEvents& events) {
  char peek = 0;
  const int fd = ConnectionNumber(FDisplay);
  if (recv(fd, &peek, 1, MSG_PEEK | MSG_DONTWAIT) == 0) throw TSessionGone("the X server has gone");
  while (XPending(FDisplay)) {
    XEvent ignored;
    XNextEvent(FDisplay, &ignored);
  }
  const unsigned long idleTime = IdleTime();
  if (FIdle && idleTime < FLastIdleTime) {
    FIdle = false;
    events.Active();
  }
  FLastIdleTime = idleTime;
  if (!FIdle && idleTime >= FThreshold) {
    FIdle = true;
    events.Idle();
  }
  FWakeAfter = static_cast<int>(FIdle ? FThreshold : FThreshold - idleTime);
}

// The daemon marks a window of its own, a child of the root, with its version.
bool TX11IdleSource::IdleInhibited() {
  const Atom version = XInternAtom(FDisplay, "_SCREENSAVER_VERSION", False);
  Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(FDisplay, DefaultRootWindow(FDisplay), &root, &parent, &children, &count)) return false;
  bool found = false;
  for (unsigned i = 0; i < count && !found; ++i) {
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* value = nullptr;
    if (XGetWindowProperty(FDisplay, children[i], version, 0, 0, False, XA_STRING, &type, &format, &items, &after,
                           &value) == Success)
      found = type != None;
    if (value) XFree(value);
  }
  if (children) XFree(children);
  return found;
}

}  // namespace

std::unique_ptr<TIdleSource> ConnectX11Idle(unsigned seconds) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return nullptr;
  int eventBase = 0, errorBase = 0;
  if (!XScreenSaverQueryExtension(display, &eventBase, &errorBase)) {
    XCloseDisplay(display);
    return nullptr;
  }
  XSetIOErrorHandler(ServerGone);
  XSetErrorHandler(IgnoreError);
  return std::make_unique<TX11IdleSource>(display, seconds);
}
