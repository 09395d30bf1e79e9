#include "idle/x11/X11IdleSource.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>
#include <sys/socket.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "idle/IdleTimeLooks.h"

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
  TX11IdleSource(Display* display, unsigned seconds) : FDisplay(display), FLooks(seconds * 1000L) {}
  ~TX11IdleSource() override { XCloseDisplay(FDisplay); }

  int Descriptor() const override { return ConnectionNumber(FDisplay); }
  // From the moment set, however often a signal woke the caller in between.
  int WakeAfter() const override { return static_cast<int>(std::max(0L, FWakeAt - NowMs())); }
  void Dispatch(TIdleEvents& events) override;
  bool IdleInhibited() override;

 private:
  long IdleTime();
  static long NowMs();

  Display* FDisplay;
  TIdleTimeLooks FLooks;
  long FWakeAt = 0;  // on the monotonic clock; at once at the start
};

long TX11IdleSource::IdleTime() {
  XScreenSaverInfo info{};
  XScreenSaverQueryInfo(FDisplay, DefaultRootWindow(FDisplay), &info);
  return static_cast<long>(info.idle);
}

long TX11IdleSource::NowMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * 1000 + now.tv_nsec / 1000000;
}

void TX11IdleSource::Dispatch(TIdleEvents& events) {
  char peek = 0;
  const int fd = ConnectionNumber(FDisplay);
  if (recv(fd, &peek, 1, MSG_PEEK | MSG_DONTWAIT) == 0) throw TSessionGone("the X server has gone");
  while (XPending(FDisplay)) {
    XEvent ignored;
    XNextEvent(FDisplay, &ignored);
  }
  const long now = NowMs();
  FWakeAt = now + FLooks.Look(now, IdleTime(), events);
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
