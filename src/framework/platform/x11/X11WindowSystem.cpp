#include "X11WindowSystem.h"

#include <poll.h>
#include "X11Api.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "ShmPixelMemoryProvider.h"
#include "X11Connection.h"
#include "X11Cursors.h"
#include "X11ErrorTrap.h"
#include "X11EventTranslator.h"
#include "X11Grabs.h"
#include "X11Painter.h"
#include "X11WindowManagerHints.h"
#include "X11WindowTable.h"
#include "framework/platform/DesktopScale.h"
#include "framework/platform/MonotonicClock.h"
#include "framework/platform/TerminationSignals.h"

namespace {

constexpr long kEventMask = ExposureMask | StructureNotifyMask | KeyPressMask | KeyReleaseMask | ButtonPressMask |
                            ButtonReleaseMask | PointerMotionMask | LeaveWindowMask | FocusChangeMask |
                            PropertyChangeMask;
constexpr long kHostedEventMask = ExposureMask | StructureNotifyMask | PropertyChangeMask;
// While a grab waits for another client to let go, the loop wakes this often to retry.
constexpr std::int64_t kGrabRetryMs = 10;

unsigned Extent(int length) { return static_cast<unsigned>(std::max(length, 1)); }

// A shown menu holds keyboard and pointer, with every pointer event in its own coordinates,
// so that a click anywhere reaches it (and closes it). The map request must have been
// handled first: only a viewable window can be grabbed. The server lets go of both grabs by
// itself once the window is unmapped or destroyed.
void GrabForPopup(Display* display, Window window) {
  XSync(display, False);
  XGrabPointer(display, window, False, ButtonPressMask | ButtonReleaseMask | PointerMotionMask, GrabModeAsync,
               GrabModeAsync, None, None, CurrentTime);
  XGrabKeyboard(display, window, False, GrabModeAsync, GrabModeAsync, CurrentTime);
}

}  // namespace

TX11WindowSystem::TX11WindowSystem(std::string triedBefore)
    : FSignals(std::make_unique<TTerminationSignals>()),
      FPixelMemory(std::make_unique<TShmPixelMemoryProvider>()),
      FTriedBefore(std::move(triedBefore)) {}

TX11WindowSystem::~TX11WindowSystem() {
  // Bitmaps may outlive the display: their segments must not be detached from a closed one.
  FPixelMemory->SetDisplay(nullptr);
}

TX11Connection& TX11WindowSystem::Connection() {
  if (FConnection) return *FConnection;
  try {
    FConnection = std::make_unique<TX11Connection>();
  } catch (const EDisplayError& error) {
    if (FTriedBefore.empty()) throw;
    throw EDisplayError(FTriedBefore + "; " + error.what());
  }
  Display* display = FConnection->Handle();
  // A user whose compositor hangs should learn why the program is on X11 and not there.
  if (!FTriedBefore.empty())
    std::fprintf(stderr, "%s; running on the X display %s instead\n", FTriedBefore.c_str(), DisplayString(display));
  FWindows = std::make_unique<TX11WindowTable>();
  FGrabs = std::make_unique<TX11Grabs>(display);
  FCursors = std::make_unique<TX11Cursors>(display, FCursorImages, static_cast<int>(std::lround(DesktopScale())));
  FHints = std::make_unique<TX11WindowManagerHints>(*FConnection);
  FTranslator = std::make_unique<TX11EventTranslator>(*FConnection, *FWindows, *FGrabs, *FHints);
  FPainter = std::make_unique<TX11Painter>(*FConnection);
  if (FConnection->ShmUsable()) FPixelMemory->SetDisplay(display);
  return *FConnection;
}

TWindowHandle TX11WindowSystem::CreateWindow(const TWindowParams& params) {
  TX11Connection& connection = Connection();
  Display* display = connection.Handle();
  const Window parent = params.Parent ? params.Parent : connection.Root();
  const bool foreign = params.Parent && !FWindows->Owns(params.Parent);
  TRect bounds = params.Bounds;
  if (params.FullScreen) bounds = Bounds(0, 0, ScreenSize().cx, ScreenSize().cy);
  if (foreign) bounds = Bounds(0, 0, bounds.Width(), bounds.Height());

  XSetWindowAttributes attributes{};
  attributes.background_pixmap = None;
  attributes.bit_gravity = NorthWestGravity;
  attributes.border_pixel = 0;
  attributes.colormap = connection.ColorMap();
  // A window inside another program's takes no input: the host ends it, and keys and clicks
  // over it reach the host as if it were not there.
  attributes.event_mask = foreign ? kHostedEventMask : kEventMask;
  // On the desktop no window manager may frame it, and it stays below every other window.
  const bool onDesktop = parent == connection.Root() && params.Parent;
  attributes.override_redirect = params.FullScreen || params.Popup || onDesktop ? True : False;
  TX11ErrorTrap trap(display);
  const Window window = XCreateWindow(
      display, parent, bounds.Left, bounds.Top, Extent(bounds.Width()), Extent(bounds.Height()), 0, connection.Depth(),
      InputOutput, connection.TrueColorVisual(),
      CWBackPixmap | CWBitGravity | CWBorderPixel | CWColormap | CWEventMask | CWOverrideRedirect, &attributes);
  // The host's destruction ends a preview, and its resizes are followed. The connection
  // watches the root window already, for more than that.
  if (foreign && !onDesktop) XSelectInput(display, parent, StructureNotifyMask);
  if (onDesktop) XLowerWindow(display, window);

  TX11WindowRecord record;
  record.Host = foreign ? parent : 0;
  record.FullScreen = params.FullScreen;
  record.TopLevel = !params.Parent;
  record.FixedSize = params.BorderStyle == TBorderStyle::bsDialog;
  record.Popup = params.Popup;
  record.Width = static_cast<int>(Extent(bounds.Width()));
  record.Height = static_cast<int>(Extent(bounds.Height()));
  record.MinWidth = params.MinSize.cx;
  record.MinHeight = params.MinSize.cy;
  FWindows->Add(window, record);
  if (record.TopLevel && !params.FullScreen && !params.Popup) FHints->Apply(window, params);
  if (foreign && trap.Failed()) {
    // A host that is already gone: the window could not be made inside it.
    TWsEvent gone;
    gone.Kind = TEventKind::HostDestroyed;
    gone.Window = window;
    FQueued.push_back(gone);
  }
  XFlush(display);
  return window;
}

void TX11WindowSystem::DestroyWindow(TWindowHandle window) {
  if (!Open() || !FWindows->Owns(window)) return;
  Display* display = FConnection->Handle();
  const Window host = FWindows->Find(window)->Host;
  if (host && host != FConnection->Root()) XSelectInput(display, host, NoEventMask);
  XDestroyWindow(display, window);
  FWindows->Remove(window);
  XFlush(display);
}

void TX11WindowSystem::ShowWindow(TWindowHandle window, bool visible) {
  TX11WindowRecord* record = Open() ? FWindows->Find(window) : nullptr;
  if (!record) return;
  Display* display = FConnection->Handle();
  if (visible && (record->FullScreen || record->Popup)) {
    XMapRaised(display, window);
  } else if (visible) {
    // Asked before the window manager frames the window, so that the form can place its
    // frame as soon as possible.
    if (record->TopLevel) FHints->RequestFrameExtents(window);
    XMapWindow(display, window);
  } else if (record->TopLevel) XWithdrawWindow(display, window, DefaultScreen(display));
  else XUnmapWindow(display, window);
  if (record->Popup && visible) GrabForPopup(display, window);
  XFlush(display);
}

void TX11WindowSystem::SetWindowBounds(TWindowHandle window, const TRect& bounds) {
  TX11WindowRecord* record = Open() ? FWindows->Find(window) : nullptr;
  if (!record) return;
  if (record->TopLevel && !record->FullScreen && !record->Popup)
    FHints->SetPlacement(window, bounds, record->FixedSize, {record->MinWidth, record->MinHeight});
  XMoveResizeWindow(FConnection->Handle(), window, bounds.Left, bounds.Top, Extent(bounds.Width()),
                    Extent(bounds.Height()));
  XFlush(FConnection->Handle());
}

void TX11WindowSystem::SetWindowCaption(TWindowHandle window, const std::string& caption) {
  if (!Open() || !FWindows->Owns(window)) return;
  FHints->SetCaption(window, caption);
  XFlush(FConnection->Handle());
}

void TX11WindowSystem::SetWindowCursor(TWindowHandle window, TCursor cursor) {
  if (!Open() || !FWindows->Owns(window)) return;
  Display* display = FConnection->Handle();
  if (cursor == crDefault) XUndefineCursor(display, window);
  else XDefineCursor(display, window, FCursors->For(cursor));
  XFlush(display);
}

void TX11WindowSystem::DefineCursor(TCursor cursor, const TCursorImage& image) {
  FCursorImages[cursor] = image;
  if (Open()) FCursors->Forget(cursor);
}

void TX11WindowSystem::SetFocus(TWindowHandle window) {
  // A menu takes the keys by its grab: the focus stays with the window below it.
  if (const TX11WindowRecord* record = Open() ? FWindows->Find(window) : nullptr; record && record->Popup) return;
  if (!Mapped(window)) {
    // A window can take the focus only once it is viewable: a top-level one takes it when
    // mapped. A child in a foreign host (the preview) never takes it from its host.
    TX11WindowRecord* record = Open() ? FWindows->Find(window) : nullptr;
    if (record && record->TopLevel) record->FocusWanted = true;
    return;
  }
  XSetInputFocus(FConnection->Handle(), window, RevertToParent, FConnection->LastEventTime());
  XFlush(FConnection->Handle());
}

void TX11WindowSystem::PutPixels(TWindowHandle window, TBitmap& bitmap, const TRect& source, TPoint dest,
                                 TPutMode mode) {
  if (!Open() || !FWindows->Owns(window)) return;
  FPainter->Put(window, bitmap, source, dest, mode);
}

TPixelMemoryProvider* TX11WindowSystem::PixelMemory() { return FPixelMemory.get(); }

void TX11WindowSystem::Flush() {
  if (Open()) XSync(FConnection->Handle(), False);
}

TSize TX11WindowSystem::ScreenSize() { return Connection().ScreenSize(); }

double TX11WindowSystem::DesktopScale() {
  const char* resources = XResourceManagerString(Connection().Handle());
  return DesktopScaleFrom(std::getenv(kScaleVariable), resources ? resources : "");
}

// One X screen spans every monitor: a full-screen window covers them all, as one.
std::vector<TScreenInfo> TX11WindowSystem::Screens() {
  TScreenInfo screen;
  screen.Id = 1;
  screen.Size = ScreenSize();
  return {screen};
}

TPoint TX11WindowSystem::ClientToScreen(TWindowHandle window, TPoint point) {
  Display* display = Connection().Handle();
  int x = point.X, y = point.Y;
  Window child = None;
  TX11ErrorTrap trap(display);
  if (!XTranslateCoordinates(display, window, FConnection->Root(), point.X, point.Y, &x, &y, &child) || trap.Failed())
    return point;
  return {x, y};
}

TWindowHandle TX11WindowSystem::DesktopWindow() { return Connection().Root(); }

bool TX11WindowSystem::WindowSize(TWindowHandle window, TSize& size) {
  if (window == 0) return false;
  Display* display = Connection().Handle();
  XWindowAttributes attributes{};
  TX11ErrorTrap trap(display);
  const Status found = XGetWindowAttributes(display, window, &attributes);
  if (trap.Failed() || !found) return false;
  size = {attributes.width, attributes.height};
  return true;
}

TWindowHandle TX11WindowSystem::ForegroundWindow() {
  TX11Connection& connection = Connection();
  const std::vector<unsigned long> active = connection.Property32(connection.Root(), "_NET_ACTIVE_WINDOW", XA_WINDOW);
  if (active.size() == 1 && active[0] != None) return active[0];
  Window focus = None;
  int revert = 0;
  XGetInputFocus(connection.Handle(), &focus, &revert);
  return focus == PointerRoot ? 0 : focus;
}

// X11 cannot disable another program's window, and a modal or transient hint towards it
// would make the window manager lock it (keys meant for it reach the dialog) and minimise
// the dialog with it: the dialog stays an ordinary window, and SetForegroundWindow
// activates the recorded window again once it closes.
void TX11WindowSystem::EnableForeignWindow(TWindowHandle, bool) {}

void TX11WindowSystem::SetForegroundWindow(TWindowHandle window) {
  if (window == 0) return;
  Connection();
  FHints->RequestActivation(window);
  XFlush(FConnection->Handle());
}

void TX11WindowSystem::SetScreenSaverRunning(TWindowHandle saver, bool running) {
  if (!running) {
    if (Open()) FGrabs->Release();
    return;
  }
  Connection();
  FGrabs->Want(saver);
  if (Mapped(saver)) FGrabs->WindowMapped(saver, FWindows->Find(saver)->FullScreen, NowMs());
}

// There is no application window beside the forms, so nothing to hide: every top-level window
// stays in the window manager's task list and its Alt+Tab, where a user looks for it.
void TX11WindowSystem::HideTaskbarWindow() {}

void TX11WindowSystem::Beep() {
  XBell(Connection().Handle(), 0);
  XFlush(FConnection->Handle());
}

bool TX11WindowSystem::NextEvent(TWsEvent& event) {
  if (FSignals->TakeArrived()) {
    event = TWsEvent{};
    event.Kind = TEventKind::Terminate;
    return true;
  }
  if (!FQueued.empty()) {
    event = FQueued.front();
    FQueued.pop_front();
    return true;
  }
  return Open() && ReadXEvent(event);
}

bool TX11WindowSystem::ReadXEvent(TWsEvent& event) {
  Display* display = FConnection->Handle();
  while (XPending(display) > 0) {
    XEvent x;
    XNextEvent(display, &x);
    if (FTranslator->Translate(x, event, NowMs())) return true;
  }
  return false;
}

void TX11WindowSystem::WaitForEvent(std::int64_t deadlineMs) {
  // Before anything else: a busy event stream must not starve the retries.
  const bool retryingGrab = Open() && FGrabs->Retry(NowMs());
  if (!FQueued.empty() || (Open() && XPending(FConnection->Handle()) > 0)) return;
  std::int64_t timeoutMs = deadlineMs == NoDeadline ? -1 : std::max<std::int64_t>(deadlineMs - NowMs(), 0);
  if (retryingGrab && (timeoutMs < 0 || timeoutMs > kGrabRetryMs)) timeoutMs = kGrabRetryMs;
  pollfd fds[2] = {{FSignals->Fd(), POLLIN, 0}, {Open() ? FConnection->Fd() : -1, POLLIN, 0}};
  poll(fds, 2, static_cast<int>(std::min<std::int64_t>(timeoutMs, INT32_MAX)));
}

std::int64_t TX11WindowSystem::NowMs() { return MonotonicMs(); }

bool TX11WindowSystem::Mapped(TWindowHandle window) {
  const TX11WindowRecord* record = Open() ? FWindows->Find(window) : nullptr;
  return record && record->Mapped;
}
