// quenbrel-frames SECONDS: counts the frames that reach the X display (DISPLAY) during
// SECONDS and prints the rate. It watches the screen from outside with the Damage
// extension, so the program measured needs no counter of its own. A frame may reach the
// screen in several bands, top to bottom: a frame counts when its bottom row is drawn.
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

using TClock = std::chrono::steady_clock;

int CountFrames(Display* display, int damageEvent, double seconds) {
  const Window root = DefaultRootWindow(display);
  const int bottom = DisplayHeight(display, DefaultScreen(display));
  const Damage damage = XDamageCreate(display, root, XDamageReportRawRectangles);
  const auto end = TClock::now() + std::chrono::duration<double>(seconds);
  int frames = 0;
  while (TClock::now() < end) {
    if (XPending(display) == 0) {
      pollfd readable{ConnectionNumber(display), POLLIN, 0};
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - TClock::now());
      poll(&readable, 1, static_cast<int>(left.count()) + 1);
      continue;
    }
    XEvent event;
    XNextEvent(display, &event);
    if (event.type != damageEvent + XDamageNotify) continue;
    const auto& notify = reinterpret_cast<const XDamageNotifyEvent&>(event);
    if (notify.area.y + notify.area.height == bottom) ++frames;
  }
  XDamageDestroy(display, damage);
  return frames;
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 0;
  if (seconds <= 0) {
    std::fprintf(stderr, "usage: quenbrel-frames SECONDS\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "quenbrel-frames: cannot open display \"%s\"\n", XDisplayName(nullptr));
    return 1;
  }
  int damageEvent = 0, damageError = 0;
  if (!XDamageQueryExtension(display, &damageEvent, &damageError)) {
    std::fprintf(stderr, "quenbrel-frames: the display has no Damage extension\n");
    return 1;
  }
  const int frames = CountFrames(display, damageEvent, seconds);
  std::printf("%d frames in %.1f s: %.1f frames/s\n", frames, seconds, frames / seconds);
  XCloseDisplay(display);
  return 0;
}
