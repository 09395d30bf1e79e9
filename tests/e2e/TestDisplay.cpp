#include "TestDisplay.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xfixes.h>

#include <stdexcept>

#include "ChildProcess.h"
#include "testkit/Polling.h"

namespace {

// The program's windows may go away at any moment; that is no reason to end the test.
int IgnoreError(Display*, XErrorEvent*) { return 0; }

}  // namespace

TTestDisplay::TTestDisplay(const std::string& name) : FDisplay(XOpenDisplay(name.c_str())) {
  if (!FDisplay) throw std::runtime_error("cannot open " + name);
  XSetErrorHandler(IgnoreError);
}

TTestDisplay::~TTestDisplay() { XCloseDisplay(FDisplay); }

int TTestDisplay::ScreenWidth() const { return DisplayWidth(FDisplay, DefaultScreen(FDisplay)); }

int TTestDisplay::ScreenHeight() const { return DisplayHeight(FDisplay, DefaultScreen(FDisplay)); }

Window TTestDisplay::CreateWindow(int width, int height) {
  const unsigned long black = BlackPixel(FDisplay, DefaultScreen(FDisplay));
  const Window window = XCreateSimpleWindow(FDisplay, Root(), 10, 10, static_cast<unsigned>(width),
                                            static_cast<unsigned>(height), 0, black, black);
  XMapWindow(FDisplay, window);
  TWindowGeometry geometry;
  WaitUntil([&] { return Geometry(window, geometry) && geometry.Viewable; });
  return window;
}

void TTestDisplay::DestroyWindow(Window window) {
  XDestroyWindow(FDisplay, window);
  XSync(FDisplay, False);
}

void TTestDisplay::ResizeWindow(Window window, int width, int height) {
  XResizeWindow(FDisplay, window, static_cast<unsigned>(width), static_cast<unsigned>(height));
  XSync(FDisplay, False);
}

void TTestDisplay::Focus(Window window) {
  XSetInputFocus(FDisplay, window, RevertToParent, CurrentTime);
  XSync(FDisplay, False);
}

Time TTestDisplay::ServerTime() {
  const Window clock =
      XCreateWindow(FDisplay, Root(), 0, 0, 1, 1, 0, CopyFromParent, InputOnly, CopyFromParent, 0, nullptr);
  XSelectInput(FDisplay, clock, PropertyChangeMask);
  const Atom atom = AtomNamed("ZZQUENBREL_CLOCK");
  XChangeProperty(FDisplay, clock, atom, XA_STRING, 8, PropModeAppend, nullptr, 0);
  XEvent event;
  XWindowEvent(FDisplay, clock, PropertyChangeMask, &event);
  XDestroyWindow(FDisplay, clock);
  XSync(FDisplay, False);
  return event.xproperty.time;
}

bool TTestDisplay::Geometry(Window window, TWindowGeometry& geometry) {
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(FDisplay, window, &attributes)) return false;
  geometry = {attributes.x,
              attributes.y,
              attributes.width,
              attributes.height,
              attributes.map_state == IsViewable,
              attributes.override_redirect != 0};
  return true;
}

std::vector<Window> TTestDisplay::Children(Window parent) {
  Window root = 0, grandParent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  std::vector<Window> result;
  if (XQueryTree(FDisplay, parent, &root, &grandParent, &children, &count) && children) {
    result.assign(children, children + count);
    XFree(children);
  }
  return result;
}

Window TTestDisplay::FullScreenWindow() {
  for (Window window : Children(Root())) {
    TWindowGeometry g;
    if (Geometry(window, g) && g.Viewable && g.OverrideRedirect && g.X == 0 && g.Y == 0 && g.Width == ScreenWidth() &&
        g.Height == ScreenHeight())
      return window;
  }
  return 0;
}

Window TTestDisplay::PopupWindow() {
  for (Window window : Children(Root())) {
    TWindowGeometry g;
    if (Geometry(window, g) && g.Viewable && g.OverrideRedirect &&
        (g.Width < ScreenWidth() || g.Height < ScreenHeight()))
      return window;
  }
  return 0;
}

Window TTestDisplay::TopLevel(const std::string& title, TWindowGeometry& geometry) {
  for (const Window window : Children(Root())) {
    char* name = nullptr;
    const bool named = XFetchName(FDisplay, window, &name) && name && title == name;
    if (name) XFree(name);
    if (named && Geometry(window, geometry) && geometry.Viewable) return window;
  }
  return 0;
}

std::vector<std::uint32_t> TTestDisplay::Capture(Window window, int x, int y, int width, int height) {
  XImage* image = XGetImage(FDisplay, window, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height),
                            AllPlanes, ZPixmap);
  std::vector<std::uint32_t> pixels;
  if (!image) return pixels;
  for (int row = 0; row < height; ++row)
    for (int column = 0; column < width; ++column)
      pixels.push_back(static_cast<std::uint32_t>(XGetPixel(image, column, row)) & 0xFFFFFF);
  XDestroyImage(image);
  return pixels;
}

bool TTestDisplay::ScreenOrigin(Window window, int& x, int& y) {
  Window child = 0;
  return XTranslateCoordinates(FDisplay, window, Root(), 0, 0, &x, &y, &child) != 0;
}

std::vector<long> TTestDisplay::Property(Window window, const char* name) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  std::vector<long> items;
  if (XGetWindowProperty(FDisplay, window, AtomNamed(name), 0, 1024, False, AnyPropertyType, &type, &format, &count,
                         &remaining, &data) == Success &&
      data) {
    // Xlib hands 32-bit items over as longs.
    if (format == 32) items.assign(reinterpret_cast<const long*>(data), reinterpret_cast<const long*>(data) + count);
    XFree(data);
  }
  return items;
}

Window TTestDisplay::ActiveWindow() {
  const std::vector<long> active = Property(Root(), "_NET_ACTIVE_WINDOW");
  return active.empty() ? 0 : static_cast<Window>(active[0]);
}

void TTestDisplay::RequestActivation(Window window) { SendToWindowManager(window, "_NET_ACTIVE_WINDOW", 0); }

void TTestDisplay::RequestClose(Window window) { SendToWindowManager(window, "_NET_CLOSE_WINDOW", 1); }

void TTestDisplay::SendToWindowManager(Window window, const char* request, int sourceIndex) {
  constexpr long kSourcePager = 2;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = AtomNamed(request);
  event.xclient.format = 32;
  event.xclient.data.l[sourceIndex] = kSourcePager;
  XSendEvent(FDisplay, Root(), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
  XSync(FDisplay, False);
}

bool TTestDisplay::CanGrabKeyboard() {
  const bool grabbed = XGrabKeyboard(FDisplay, Root(), False, GrabModeAsync, GrabModeAsync, CurrentTime) == GrabSuccess;
  if (grabbed) XUngrabKeyboard(FDisplay, CurrentTime);
  XSync(FDisplay, False);
  return grabbed;
}

bool TTestDisplay::PointerInvisible() {
  XFixesCursorImage* cursor = XFixesGetCursorImage(FDisplay);
  if (!cursor) return false;
  bool invisible = true;
  for (int i = 0; i < cursor->width * cursor->height; ++i)
    if ((cursor->pixels[i] >> 24) != 0) invisible = false;
  XFree(cursor);
  return invisible;
}

bool TTestDisplay::PointerShows(const TCursorImage& image) {
  XFixesCursorImage* cursor = XFixesGetCursorImage(FDisplay);
  if (!cursor) return false;
  bool same = cursor->width == image.Width() && cursor->height == image.Height() && cursor->xhot == image.HotSpot.X &&
              cursor->yhot == image.HotSpot.Y;
  for (int y = 0; same && y < image.Height(); ++y)
    for (int x = 0; same && x < image.Width(); ++x) {
      const char c = image.Rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
      const std::uint32_t wanted = c == 'X' ? 0xFF000000u : c == '.' ? 0xFFFFFFFFu : 0u;
      same = static_cast<std::uint32_t>(cursor->pixels[y * image.Width() + x]) == wanted;
    }
  XFree(cursor);
  return same;
}

void TTestDisplay::AnnounceScreenSize(int width, int height) {
  XEvent event{};
  event.xconfigure.type = ConfigureNotify;
  event.xconfigure.event = Root();
  event.xconfigure.window = Root();
  event.xconfigure.width = width;
  event.xconfigure.height = height;
  XSendEvent(FDisplay, Root(), False, StructureNotifyMask, &event);
  XSync(FDisplay, False);
}

void TTestDisplay::SendClientMessage(Window window, const char* type) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(FDisplay, type, False);
  event.xclient.format = 32;
  XSendEvent(FDisplay, window, False, NoEventMask, &event);
  XSync(FDisplay, False);
}

void TTestDisplay::Xdotool(const std::vector<std::string>& arguments) {
  std::vector<std::string> command{"xdotool"};
  command.insert(command.end(), arguments.begin(), arguments.end());
  TChildProcess xdotool(command, {std::string("DISPLAY=") + DisplayString(FDisplay)});
  if (xdotool.WaitExit() != 0) throw std::runtime_error("xdotool failed: " + xdotool.Stderr());
}
