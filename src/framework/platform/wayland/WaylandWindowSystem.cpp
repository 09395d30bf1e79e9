#include "WaylandWindowSystem.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "WaylandApi.h"
#include "WaylandCursors.h"
#include "WaylandGlobals.h"
#include "WaylandLimits.h"
#include "WaylandOutputs.h"
#include "WaylandPresenter.h"
#include "WaylandSeat.h"
#include "WaylandShell.h"
#include "WaylandViewport.h"
#include "WaylandWindowFrames.h"
#include "WaylandWindowTable.h"
#include "framework/graphics/HugePageBlocks.h"
#include "framework/platform/DesktopScale.h"
#include "framework/platform/MonotonicClock.h"
#include "framework/platform/TerminationSignals.h"

namespace {

TRect Whole(TSize size) { return {0, 0, size.cx, size.cy}; }

// Three frames of a display at 60 Hz; a compositor places a window at once.
constexpr std::int64_t kFrameCallbackWaitMs = 50;
constexpr std::int64_t kConfigureWaitMs = 1000;

}  // namespace

TWaylandWindowSystem::TWaylandWindowSystem(wl_display* display, const TOptions& options)
    : FDisplay(display),
      FSignals(std::make_unique<TTerminationSignals>()),
      FWindows(std::make_unique<TWaylandWindowTable>()),
      FOutputs(std::make_unique<TWaylandOutputs>([this] { ScreensChanged(); })) {
  FGlobals = std::make_unique<TWaylandGlobals>(display, *FOutputs, [this](wl_seat* seat) { FSeat->SetSeat(seat); });
  FPresenter = std::make_unique<TWaylandPresenter>(
      display, *FGlobals, *FWindows, [this](TWindowHandle window, const TRect& area) { PostExpose(window, area); });
  FCursors = std::make_unique<TWaylandCursors>(*FGlobals);
  FSeat = std::make_unique<TWaylandSeat>(*FWindows, *FCursors, FQueue);
  FShell = std::make_unique<TWaylandShell>(
      *FGlobals, *FOutputs, *FWindows, TWaylandShell::TOptions{options.UseLayerShell, options.UseServerFrames},
      TWaylandShell::THandlers{[this](TWaylandWindow& window) { Configured(window); },
                               [this](TWaylandWindow& window) { Post(TEventKind::CloseRequest, window.Handle); }});
}

TWaylandWindowSystem::~TWaylandWindowSystem() {
  std::vector<TWindowHandle> windows;
  FWindows->ForEach([&](TWaylandWindow& window) { windows.push_back(window.Handle); });
  for (TWindowHandle window : windows) DestroyWindow(window);
  // Everything made on the connection goes before it.
  FPresenter.reset();
  FShell.reset();
  FSeat.reset();
  FCursors.reset();
  FGlobals.reset();
  FOutputs.reset();
  wl_display_flush(FDisplay);
  wl_display_disconnect(FDisplay);
}

bool TWaylandWindowSystem::HasWhatWindowsNeed() const {
  return FGlobals->Compositor && FGlobals->Shm && FGlobals->Shell;
}

void TWaylandWindowSystem::Post(TEventKind kind, TWindowHandle window) {
  TWsEvent event;
  event.Kind = kind;
  event.Window = window;
  FQueue.push_back(event);
}

// A full-screen window follows its output's scale: the same logical size in more or fewer
// device pixels.
void TWaylandWindowSystem::ScreensChanged() {
  Post(TEventKind::ScreensChanged, 0);
  FWindows->ForEach([this](TWaylandWindow& window) {
    if (!window.Params.FullScreen) return FollowScale(window);
    const TWaylandOutput* output = window.Role.Screen ? FOutputs->Find(window.Role.Screen) : nullptr;
    if (output && WaylandViewport::OutputScale(window, output->Info.Scale) && window.Role.Configured) Resize(window);
  });
}

// A full-screen window's device size follows its output's pixels. Another window is drawn at
// the scale the compositor wants for it: the form is told, and gives its new device bounds.
// What was put at the old scale is not committed at the new one.
void TWaylandWindowSystem::FollowScale(TWaylandWindow& window) {
  if (window.Params.FullScreen) {
    if (window.Role.Configured) Resize(window);
    return;
  }
  const double scale = WaylandViewport::WantedScale(window, *FOutputs);
  if (scale == 0 || scale == window.View.FormScale) return;
  WaylandViewport::ScaleTold(window, scale);
  TWaylandWindowFrames::Update(window);
  TWaylandPresenter::Discard(window);
  TWsEvent scaled;
  scaled.Kind = TEventKind::ScaleChanged;
  scaled.Window = window.Handle;
  scaled.Scale = scale;
  FQueue.push_back(scaled);
}

// An integer scale: buffers of whole logical pixels. The override may ask for any.
double TWaylandWindowSystem::DesktopScale() {
  if (const std::optional<double> asked = ScaleFromText(std::getenv(kScaleVariable) ? std::getenv(kScaleVariable) : ""))
    return std::max(1.0, std::round(*asked));
  const TWaylandOutput* first = FOutputs->Find(0);
  return first ? first->Info.Scale : 1;
}

void TWaylandWindowSystem::Configured(TWaylandWindow& window) {
  Resize(window);
  // Whatever was put before the compositor placed the window was never shown.
  PostExpose(window.Handle, Whole(window.Size));
}

void TWaylandWindowSystem::PostExpose(TWindowHandle window, const TRect& area) {
  TWsEvent expose;
  expose.Kind = TEventKind::Expose;
  expose.Window = window;
  expose.Area = area;
  FQueue.push_back(expose);
}

void TWaylandWindowSystem::Resize(TWaylandWindow& window) {
  const TSize device =
      WaylandViewport::DeviceSize(window, window.Role.Screen ? FOutputs->Find(window.Role.Screen) : nullptr);
  const TSize size{std::clamp(device.cx, 1, kMaxSide), std::clamp(device.cy, 1, kMaxSide)};
  if (size == window.Size) return;
  FTrimDue = FTrimDue || size.cx * size.cy < window.Size.cx * window.Size.cy;
  window.Size = size;
  TWaylandPresenter::Discard(window);
  TWsEvent resized;
  resized.Kind = TEventKind::Resized;
  resized.Window = window.Handle;
  resized.Width = size.cx;
  resized.Height = size.cy;
  FQueue.push_back(resized);
}

TWindowHandle TWaylandWindowSystem::CreateWindow(const TWindowParams& params) {
  // Only X11 has other programs' windows to live in (the preview).
  if (params.Parent) throw EDisplayError("Wayland has no windows of other programs to live in");
  TWaylandWindow& window = FWindows->Add();
  window.Params = params;
  window.Surface = wl_compositor_create_surface(FGlobals->Compositor);
  window.Size = {std::clamp(params.Bounds.Width(), 1, kMaxSide), std::clamp(params.Bounds.Height(), 1, kMaxSide)};
  // The form drew its bounds at the desktop's scale.
  if (!params.FullScreen) WaylandViewport::ScaleTold(window, DesktopScale());
  FShell->Assign(window);
  WaylandViewport::Attach(window, *FGlobals, [this](TWaylandWindow& moved) { FollowScale(moved); });
  return window.Handle;
}

void TWaylandWindowSystem::DestroyWindow(TWindowHandle handle) {
  TWaylandWindow* window = FWindows->Find(handle);
  if (!window) return;
  if (window->Shown) UnmapWindow(*window);
  FSeat->Forget(handle);
  FShell->Withdraw(*window);
  TWaylandPresenter::Forget(*window, true);
  WaylandViewport::Detach(*window);
  wl_surface_destroy(window->Surface);
  FWindows->Remove(handle);
  wl_display_flush(FDisplay);
}

void TWaylandWindowSystem::ShowWindow(TWindowHandle handle, bool visible) {
  TWaylandWindow* window = FWindows->Find(handle);
  if (!window || window->Shown == visible) return;
  if (visible) MapWindow(*window);
  else UnmapWindow(*window);
  wl_display_flush(FDisplay);
}

void TWaylandWindowSystem::MapWindow(TWaylandWindow& window) {
  window.Shown = true;
  if (!window.Params.Popup) FShell->Map(window);
  else MapPopup(window);
}

// A popup shows over the window whose click or key asked for it; with another popup shown,
// over that one, as the protocol wants. Without a window to show it over, it closes at once.
void TWaylandWindowSystem::MapPopup(TWaylandWindow& popup) {
  TWaylandWindow* parent = FWindows->TopPopup();
  for (const TWindowHandle candidate : {FSeat->InputWindow(), FSeat->FocusWindow()}) {
    TWaylandWindow* window = FWindows->Find(candidate);
    if (!parent && window && window != &popup && window->Role.ShellSurface && window->Role.Configured) parent = window;
  }
  if (!parent) {
    Post(TEventKind::CloseRequest, popup.Handle);
    return;
  }
  FShell->MapPopup(popup, *parent, FSeat->Seat(), FSeat->InputSerial());
  FWindows->PopupShown(popup.Handle);
}

void TWaylandWindowSystem::UnmapWindow(TWaylandWindow& window) {
  if (window.Params.Popup) ClosePopupsAbove(window);
  window.Shown = false;
  TWaylandPresenter::Forget(window, false);
  FShell->Unmap(window);
  FWindows->PopupHidden(window.Handle);
}

// Popups end newest first, as the protocol demands: those shown over this one go before it,
// as if dismissed.
void TWaylandWindowSystem::ClosePopupsAbove(TWaylandWindow& popup) {
  if (!FWindows->PopupIsShown(popup.Handle)) return;
  for (TWaylandWindow* top = FWindows->TopPopup(); top && top != &popup; top = FWindows->TopPopup()) {
    Post(TEventKind::CloseRequest, top->Handle);
    UnmapWindow(*top);
  }
}

// A full-screen window has the size of its output; another draws the size it likes.
void TWaylandWindowSystem::SetWindowBounds(TWindowHandle handle, const TRect& bounds) {
  TWaylandWindow* window = FWindows->Find(handle);
  if (!window || window->Params.FullScreen) return;
  window->Params.Bounds = bounds;
  window->Size = {std::clamp(bounds.Width(), 1, kMaxSide), std::clamp(bounds.Height(), 1, kMaxSide)};
  const bool moved = FShell->SizeSet(*window);
  TWaylandPresenter::Discard(*window);
  // A popup shown elsewhere is placed anew; one drawn at another scale in its place stays shown.
  if (window->Params.Popup && window->Shown && moved) {
    UnmapWindow(*window);
    MapWindow(*window);
    wl_display_flush(FDisplay);
  }
}

void TWaylandWindowSystem::SetWindowCaption(TWindowHandle handle, const std::string& caption) {
  if (TWaylandWindow* window = FWindows->Find(handle)) FShell->SetTitle(*window, caption.c_str());
}

void TWaylandWindowSystem::SetWindowCursor(TWindowHandle handle, TCursor cursor) {
  TWaylandWindow* window = FWindows->Find(handle);
  if (!window || window->Cursor == cursor) return;
  window->Cursor = cursor;
  FSeat->CursorChanged(*window);
}

void TWaylandWindowSystem::DefineCursor(TCursor cursor, const TCursorImage& image) { FCursors->Define(cursor, image); }

// The compositor gives the keyboard to the window it chooses; a full-screen one takes it.
void TWaylandWindowSystem::SetFocus(TWindowHandle) {}

TPixelMemoryProvider* TWaylandWindowSystem::PixelMemory() { return FPresenter->PixelMemory(); }

// A put before the compositor has placed the window is never shown; an exposure follows.
// What is to be shown at once (a form's painting, which may be one step of an animation that
// runs without the loop turning, as the window is shown) waits, briefly, until the window is
// placed and its last commit was shown: such an animation goes at the display's pace and is
// seen from its start. The one wait inside a call: nothing that follows would carry that
// pace to it.
void TWaylandWindowSystem::PutPixels(TWindowHandle handle, TBitmap& bitmap, const TRect& source, TPoint dest,
                                     TPutMode mode) {
  TWaylandWindow* window = FWindows->Find(handle);
  if (!window || !window->Shown) return;
  if (mode == TPutMode::Wait) AwaitShowable(*window);
  if (window->Shown && window->Role.Configured) FPresenter->Put(*window, bitmap, source, dest, mode);
}

void TWaylandWindowSystem::AwaitShowable(TWaylandWindow& window) {
  const auto waits = [&] {
    return window.Shown && (!window.Role.Configured || TWaylandPresenter::AwaitsCallback(window));
  };
  const std::int64_t giveUp = NowMs() + (window.Role.Configured ? kFrameCallbackWaitMs : kConfigureWaitMs);
  for (std::int64_t now = NowMs(); waits() && now < giveUp; now = NowMs()) ReadEvents(static_cast<int>(giveUp - now));
  TWaylandPresenter::CallbackLate(window);
}

bool TWaylandWindowSystem::ReadyForFrame(TWindowHandle handle) {
  const TWaylandWindow* window = FWindows->Find(handle);
  return !window || TWaylandPresenter::ReadyForFrame(*window);
}

// Pixels were copied when put, or lent: nothing waits for the compositor. What the socket
// cannot take now goes when the loop next finds it writable.
void TWaylandWindowSystem::Flush() { FPresenter->CommitAll(); }

TSize TWaylandWindowSystem::ScreenSize() {
  const std::vector<TScreenInfo> screens = FOutputs->Screens();
  return screens.empty() ? TSize{} : screens.front().Size;
}

std::vector<TScreenInfo> TWaylandWindowSystem::Screens() { return FOutputs->Screens(); }

// Wayland tells no window where it is: each is its own origin.
TPoint TWaylandWindowSystem::ClientToScreen(TWindowHandle, TPoint point) { return point; }

bool TWaylandWindowSystem::WindowSize(TWindowHandle handle, TSize& size) {
  const TWaylandWindow* window = FWindows->Find(handle);
  if (!window) return false;
  size = window->Size;
  return true;
}

// Other programs' windows are out of reach on Wayland.
void TWaylandWindowSystem::EnableForeignWindow(TWindowHandle, bool) {}
void TWaylandWindowSystem::SetForegroundWindow(TWindowHandle) {}

// The layer surface's exclusive keyboard does what the grabs do on X11. An idle daemon
// started the saver and goes on counting: nothing else is told.
void TWaylandWindowSystem::SetScreenSaverRunning(TWindowHandle, bool) {}

// The program has no window but its own forms.
void TWaylandWindowSystem::HideTaskbarWindow() {}

// The core protocol has no bell.
void TWaylandWindowSystem::Beep() {}

bool TWaylandWindowSystem::NextEvent(TWsEvent& event) {
  if (FSignals->TakeArrived()) {
    event = TWsEvent{};
    event.Kind = TEventKind::Terminate;
    return true;
  }
  FPresenter->CommitAll();
  if (FQueue.empty()) ReadEvents(0);
  // A key comes up before it is typed again: what the compositor sent goes first.
  if (FQueue.empty()) FSeat->RepeatKeys(NowMs());
  if (FQueue.empty()) return false;
  event = FQueue.front();
  FQueue.pop_front();
  return true;
}

void TWaylandWindowSystem::WaitForEvent(std::int64_t deadlineMs) {
  FPresenter->CommitAll();
  if (!FQueue.empty()) return;
  // A window shrank, and the pictures of its old size are freed by now (the loop turned):
  // their memory goes back to the system rather than waiting for pictures of that size.
  if (std::exchange(FTrimDue, false)) UnmapKeptHugePageBlocks();
  // The saver's frames are drawn at the display's pace: no timer of theirs is due before
  // the compositor has shown the last one somewhere.
  if (FPresenter->FullScreenWindowsWait()) deadlineMs = NoDeadline;
  // A held key is input: its next repeat ends the wait.
  deadlineMs = std::min(deadlineMs, FSeat->RepeatDue());
  const std::int64_t timeoutMs = deadlineMs == NoDeadline ? -1 : std::max<std::int64_t>(deadlineMs - NowMs(), 0);
  ReadEvents(static_cast<int>(std::min<std::int64_t>(timeoutMs, INT32_MAX)));
}

std::int64_t TWaylandWindowSystem::NowMs() { return MonotonicMs(); }
