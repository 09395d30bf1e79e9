#include "WaylandWindowSystem.h"

#include <errno.h>  // errno, program_invocation_short_name
#include <poll.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ShmBufferPool.h"
#include "WaylandApi.h"
#include "WaylandCursors.h"
#include "WaylandGlobals.h"
#include "WaylandLimits.h"
#include "WaylandOutputs.h"
#include "WaylandPixelMemory.h"
#include "WaylandSeat.h"
#include "WaylandShell.h"
#include "WaylandWindowTable.h"
#include "framework/platform/MonotonicClock.h"
#include "framework/platform/TerminationSignals.h"

namespace {

std::string DisplayName() {
  const char* name = std::getenv("WAYLAND_DISPLAY");
  return name ? name : "wayland-0";  // what the library tries when none is named
}

TRect Whole(TSize size) { return {0, 0, size.cx, size.cy}; }

constexpr std::int64_t kConfigureWaitMs = 1000;
constexpr std::int64_t kBufferWaitMs = 250;
// Three frames of a display at 60 Hz.
constexpr std::int64_t kFrameWaitMs = 50;

}  // namespace

const wl_callback_listener TWaylandWindowSystem::kFrameDoneListener = {
    .done = [](void* data, wl_callback* callback,
               std::uint32_t) { static_cast<TWaylandWindowSystem*>(data)->FrameDone(callback); },
};

std::unique_ptr<TWaylandWindowSystem> TWaylandWindowSystem::Connect(const TOptions& options, std::string& failure) {
  wl_display* display = wl_display_connect(nullptr);
  if (!display) {
    failure = "no Wayland compositor answers at \"" + DisplayName() + "\"";
    return nullptr;
  }
  std::unique_ptr<TWaylandWindowSystem> system(new TWaylandWindowSystem(display, options));
  // The first round trip brings the globals, the second what the bound ones tell at once
  // (the outputs' modes, the seat's devices).
  if (wl_display_roundtrip(display) < 0 || wl_display_roundtrip(display) < 0) {
    failure = "the Wayland compositor at \"" + DisplayName() + "\" does not answer";
    return nullptr;
  }
  if (!system->HasWhatWindowsNeed()) {
    failure = "the Wayland compositor at \"" + DisplayName() + "\" lacks shared memory or the shell";
    return nullptr;
  }
  // The screens as they are now are no news.
  system->FQueue.clear();
  return system;
}

TWaylandWindowSystem::TWaylandWindowSystem(wl_display* display, const TOptions& options)
    : FDisplay(display),
      FSignals(std::make_unique<TTerminationSignals>()),
      FWindows(std::make_unique<TWaylandWindowTable>()),
      FOutputs(std::make_unique<TWaylandOutputs>([this] { ScreensChanged(); })),
      FPixelMemory(std::make_unique<TWaylandPixelMemoryProvider>()) {
  FGlobals = std::make_unique<TWaylandGlobals>(display, *FOutputs, [this](wl_seat* seat) { FSeat->SetSeat(seat); });
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
  FPixelMemory.reset();
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
    const TWaylandOutput* output = window.Screen ? FOutputs->Find(window.Screen) : nullptr;
    if (!output || output->Info.Scale == window.Scale) return;
    window.Scale = output->Info.Scale;
    if (window.Configured) Resize(window);
  });
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
  const TSize size{std::clamp(window.Logical.cx * window.Scale, 1, kMaxSide),
                   std::clamp(window.Logical.cy * window.Scale, 1, kMaxSide)};
  if (size == window.Size) return;
  window.Size = size;
  ClearPendingFrame(window);
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
  FShell->Assign(window);
  return window.Handle;
}

void TWaylandWindowSystem::DestroyWindow(TWindowHandle handle) {
  TWaylandWindow* window = FWindows->Find(handle);
  if (!window) return;
  if (window->Shown) UnmapWindow(*window);
  FSeat->Forget(handle);
  FShell->Withdraw(*window);
  ForgetFrameDone(*window);
  window->Buffers.reset();
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
  else if (!MapPopup(window)) return;
  AwaitConfigure(window);
}

// A popup shows over the window whose click or key asked for it; with another popup shown,
// over that one, as the protocol wants. Without a window to show it over, it closes at once.
bool TWaylandWindowSystem::MapPopup(TWaylandWindow& popup) {
  TWaylandWindow* parent = FWindows->TopPopup();
  for (const TWindowHandle candidate : {FSeat->InputWindow(), FSeat->FocusWindow()}) {
    TWaylandWindow* window = FWindows->Find(candidate);
    if (!parent && window && window != &popup && window->ShellSurface && window->Configured) parent = window;
  }
  if (!parent) {
    Post(TEventKind::CloseRequest, popup.Handle);
    return false;
  }
  FShell->MapPopup(popup, *parent, FSeat->Seat(), FSeat->InputSerial());
  FWindows->PopupShown(popup.Handle);
  return true;
}

void TWaylandWindowSystem::UnmapWindow(TWaylandWindow& window) {
  if (window.Params.Popup) ClosePopupsAbove(window);
  window.Shown = false;
  ClearPendingFrame(window);
  ForgetFrameDone(window);
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

// What is drawn before the compositor has placed a window is never seen: a window that
// paints itself once, as it is shown (an animation), would show only its end. The compositor
// answers a mapping at once; one that does not is not waited for long.
void TWaylandWindowSystem::AwaitConfigure(TWaylandWindow& window) {
  const std::int64_t giveUp = NowMs() + kConfigureWaitMs;
  for (std::int64_t now = NowMs(); !window.Configured && !FLost && now < giveUp; now = NowMs())
    ReadEvents(static_cast<int>(giveUp - now));
}

// A full-screen window has the size of its output; another draws the size it likes.
void TWaylandWindowSystem::SetWindowBounds(TWindowHandle handle, const TRect& bounds) {
  TWaylandWindow* window = FWindows->Find(handle);
  if (!window || window->Params.FullScreen) return;
  window->Params.Bounds = bounds;
  window->Size = {std::clamp(bounds.Width(), 1, kMaxSide), std::clamp(bounds.Height(), 1, kMaxSide)};
  window->Logical = {window->Size.cx / window->Scale, window->Size.cy / window->Scale};
  ClearPendingFrame(*window);
  // A popup shown elsewhere is placed anew.
  if (window->Params.Popup && window->Shown) {
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

// The buffers hold the whole surface: the client area and the frame the program draws.
TShmBuffer* TWaylandWindowSystem::Drawing(TWaylandWindow& window) {
  const TSize surface = SurfaceSize(window);
  if (window.Buffers && window.Buffers->Size() != surface) {
    window.Buffers.reset();
    ClearPendingFrame(window);
  }
  if (window.Drawing) return window.Drawing;
  if (!window.Buffers) {
    if (window.Unbuffered == surface) return nullptr;
    try {
      const TWindowHandle handle = window.Handle;
      window.Buffers =
          std::make_unique<TShmBufferPool>(FGlobals->Shm, surface, [this, handle] { BufferReleased(handle); });
    } catch (const std::exception& error) {
      std::fprintf(stderr, "%s: no memory for a frame: %s\n", program_invocation_short_name, error.what());
      window.Unbuffered = surface;
      return nullptr;
    }
  }
  window.Drawing = window.Buffers->Acquire();
  return window.Drawing;
}

TPixelMemoryProvider* TWaylandWindowSystem::PixelMemory() { return FPixelMemory.get(); }

// A bitmap that fills a window from a buffer of its own is shown from there; any other is
// copied at once, and both modes leave it free on return. (A bitmap drawn frame by frame
// begins each frame before it writes: its buffer may be the compositor's by then.) What is put
// to be shown at once (a form's painting, which may be one step of an animation that runs
// without the loop turning) is committed at once, at the display's pace; other puts wait for
// the loop or Flush, and are dropped while the compositor holds every buffer (an exposure
// follows).
void TWaylandWindowSystem::PutPixels(TWindowHandle handle, TBitmap& bitmap, const TRect& source, TPoint dest,
                                     TPutMode mode) {
  TWaylandWindow* window = FWindows->Find(handle);
  // Before the compositor has placed the window nothing can be shown; an exposure follows.
  if (!window || !window->Shown || !window->Configured) return;
  const TRect clipped = source.Intersect(Whole({bitmap.Width(), bitmap.Height()}));
  const int dx = dest.X - source.Left, dy = dest.Y - source.Top;
  if (clipped.Offset(dx, dy).Intersect(Whole(window->Size)).IsEmpty()) return;
  if (mode == TPutMode::Wait) AwaitFrameDone(*window);
  // Asked after the wait, which may have brought a new size.
  const TRect target = clipped.Offset(dx, dy).Intersect(Whole(window->Size));
  if (!window->Drawing && dx == 0 && dy == 0 && Lend(*window, bitmap)) {
    window->Damage = window->Damage.Union(target);
  } else if (!Copy(*window, bitmap, target, {dx, dy}, mode)) {
    return;
  }
  if (mode == TPutMode::Wait) {
    RequestFrameDone(*window);
    CommitFrame(*window);
    wl_display_flush(FDisplay);
  }
}

bool TWaylandWindowSystem::Copy(TWaylandWindow& window, const TBitmap& bitmap, const TRect& area, TPoint offset,
                                TPutMode mode) {
  if (!window.Drawing && (window.Lent || window.ShowsLent)) {
    // The window's own buffers lag behind the bitmap's: only a whole picture takes over.
    if (area != Whole(window.Size)) {
      PostExpose(window.Handle, Whole(window.Size));
      return false;
    }
    window.Lent = {};
  }
  TShmBuffer* buffer = mode == TPutMode::Wait ? AwaitDrawing(window) : Drawing(window);
  // The wait may have brought a new size.
  const TRect target = area.Intersect(Whole(window.Size));
  if (target.IsEmpty()) return false;
  if (!buffer) {
    window.Missed = window.Missed.Union(target);
    return false;
  }
  const TPoint origin = ClientOrigin(window);
  const TRect inSurface = target.Offset(origin.X, origin.Y);
  CopyPixels(bitmap, {offset.X + origin.X, offset.Y + origin.Y}, inSurface, *buffer, SurfaceSize(window).cx);
  window.Damage = window.Damage.Union(inSurface);
  return true;
}

void TWaylandWindowSystem::RequestFrameDone(TWaylandWindow& window) {
  if (window.FrameDone || FLost) return;
  window.FrameDone = wl_surface_frame(window.Surface);
  wl_callback_add_listener(window.FrameDone, &kFrameDoneListener, this);
}

// A window the compositor does not show (on another workspace) hears of no frame: once one
// is late, frames go out unpaced until it hears again.
void TWaylandWindowSystem::AwaitFrameDone(TWaylandWindow& window) {
  if (window.FrameLate) return;
  const std::int64_t giveUp = NowMs() + kFrameWaitMs;
  for (std::int64_t now = NowMs(); window.FrameDone && !FLost && now < giveUp; now = NowMs())
    ReadEvents(static_cast<int>(giveUp - now));
  window.FrameLate = window.FrameDone != nullptr;
}

void TWaylandWindowSystem::FrameDone(wl_callback* callback) {
  FWindows->ForEach([callback](TWaylandWindow& window) {
    if (window.FrameDone != callback) return;
    ForgetFrameDone(window);
    window.FrameLate = false;
  });
}

void TWaylandWindowSystem::ForgetFrameDone(TWaylandWindow& window) {
  if (window.FrameDone) wl_callback_destroy(window.FrameDone);
  window.FrameDone = nullptr;
}

// `area` of the buffer from the bitmap, whose pixels lie `offset` away from the buffer's.
void TWaylandWindowSystem::CopyPixels(const TBitmap& bitmap, TPoint offset, const TRect& area, TShmBuffer& buffer,
                                      int stride) {
  for (int y = area.Top; y < area.Bottom; ++y) {
    std::uint32_t* row = buffer.Pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride);
    if (bitmap.PixelBits() == 32) {
      std::memcpy(row + area.Left, bitmap.Row32(y - offset.Y) + (area.Left - offset.X),
                  static_cast<std::size_t>(area.Width()) * sizeof(std::uint32_t));
    } else {
      for (int x = area.Left; x < area.Right; ++x) row[x] = bitmap.PixelAt(x - offset.X, y - offset.Y);
    }
  }
}

// The frame goes into the buffer of the next commit; while the compositor holds them all, it
// waits for the loop's next turn.
void TWaylandWindowSystem::PaintFrame(TWaylandWindow& window) {
  if (!window.Caption || !window.Shown || !window.Configured) return;
  TShmBuffer* buffer = Drawing(window);
  if (!buffer) return;
  const TSize surface = SurfaceSize(window);
  TBitmap picture(surface.cx, surface.cy);
  window.Caption->Paint(picture.Canvas(), surface);
  const TRect& frame = window.Frame;
  const TRect edges[] = {{0, 0, surface.cx, frame.Top},
                         {0, surface.cy - frame.Bottom, surface.cx, surface.cy},
                         {0, frame.Top, frame.Left, surface.cy - frame.Bottom},
                         {surface.cx - frame.Right, frame.Top, surface.cx, surface.cy - frame.Bottom}};
  for (const TRect& edge : edges) {
    CopyPixels(picture, {}, edge, *buffer, surface.cx);
    window.Damage = window.Damage.Union(edge);
  }
  window.FrameStale = false;
}

// The compositor lets go of a buffer once it has taken its pixels, within a frame or two.
TShmBuffer* TWaylandWindowSystem::AwaitDrawing(TWaylandWindow& window) {
  const std::int64_t giveUp = NowMs() + kBufferWaitMs;
  TShmBuffer* buffer = Drawing(window);
  for (std::int64_t now = NowMs(); !buffer && !FLost && window.Configured && now < giveUp; now = NowMs()) {
    ReadEvents(static_cast<int>(giveUp - now));
    buffer = Drawing(window);
  }
  return window.Configured ? buffer : nullptr;
}

bool TWaylandWindowSystem::Lend(TWaylandWindow& window, TBitmap& bitmap) {
  auto* memory = dynamic_cast<TWaylandPixelMemory*>(bitmap.Memory());
  // A window with a frame of ours shows more than the bitmap holds.
  if (!memory || memory->Provider() != FPixelMemory.get() || bitmap.PixelBits() != 32 ||
      TSize{bitmap.Width(), bitmap.Height()} != window.Size || SurfaceSize(window) != window.Size)
    return false;
  TLentBuffer lent = memory->Lend();
  if (!lent) return false;
  window.Lent = std::move(lent);
  return true;
}

void TWaylandWindowSystem::BufferReleased(TWindowHandle handle) {
  TWaylandWindow* window = FWindows->Find(handle);
  if (!window || window->Missed.IsEmpty()) return;
  PostExpose(handle, window->Missed);
  window->Missed = {};
}

wl_buffer* TWaylandWindowSystem::Committed(TWaylandWindow& window) {
  if (window.Lent) {
    TShmBufferSet& set = *window.Lent.Set;
    set.Hold(*window.Lent.Buffer);
    window.ShowsLent = true;
    return set.Attachable(*window.Lent.Buffer, FGlobals->Shm, window.Size);
  }
  window.Buffers->Submit(*window.Drawing, window.Damage);
  window.ShowsLent = false;
  return window.Buffers->Attachable(*window.Drawing);
}

void TWaylandWindowSystem::CommitFrames() {
  if (FLost) return;
  FWindows->ForEach([this](TWaylandWindow& window) { CommitFrame(window); });
  wl_display_flush(FDisplay);
}

void TWaylandWindowSystem::CommitFrame(TWaylandWindow& window) {
  if (window.FrameStale) PaintFrame(window);
  if (!window.Drawing && !window.Lent) return;
  wl_buffer* buffer = Committed(window);
  if (window.Scale != window.CommittedScale) {
    wl_surface_set_buffer_scale(window.Surface, window.Scale);
    window.CommittedScale = window.Scale;
  }
  wl_surface_attach(window.Surface, buffer, 0, 0);
  const TRect& damage = window.Damage;
  wl_surface_damage_buffer(window.Surface, damage.Left, damage.Top, damage.Width(), damage.Height());
  wl_surface_commit(window.Surface);
  ClearPendingFrame(window);
}

// Pixels were copied when put, or lent: nothing waits for the compositor. What the socket
// cannot take now goes when the loop next finds it writable.
void TWaylandWindowSystem::Flush() { CommitFrames(); }

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
  CommitFrames();
  if (FQueue.empty()) ReadEvents(0);
  // A key comes up before it is typed again: what the compositor sent goes first.
  if (FQueue.empty()) FSeat->RepeatKeys(NowMs());
  if (FQueue.empty()) return false;
  event = FQueue.front();
  FQueue.pop_front();
  return true;
}

void TWaylandWindowSystem::WaitForEvent(std::int64_t deadlineMs) {
  CommitFrames();
  if (!FQueue.empty()) return;
  // A held key is input: its next repeat ends the wait.
  deadlineMs = std::min(deadlineMs, FSeat->RepeatDue());
  const std::int64_t timeoutMs = deadlineMs == NoDeadline ? -1 : std::max<std::int64_t>(deadlineMs - NowMs(), 0);
  ReadEvents(static_cast<int>(std::min<std::int64_t>(timeoutMs, INT32_MAX)));
}

void TWaylandWindowSystem::ReadEvents(int timeoutMs) {
  if (FLost) {
    pollfd signal{FSignals->Fd(), POLLIN, 0};
    poll(&signal, 1, timeoutMs);
    return;
  }
  // Events already read but not yet handled go first; reading again would wait for more.
  while (wl_display_prepare_read(FDisplay) != 0)
    if (wl_display_dispatch_pending(FDisplay) < 0) return ConnectionLost();
  if (!FQueue.empty()) timeoutMs = 0;
  const bool sent = wl_display_flush(FDisplay) >= 0 || errno != EAGAIN;
  pollfd fds[2] = {{FSignals->Fd(), POLLIN, 0},
                   {wl_display_get_fd(FDisplay), static_cast<short>(POLLIN | (sent ? 0 : POLLOUT)), 0}};
  poll(fds, 2, timeoutMs);
  if (fds[1].revents & (POLLIN | POLLHUP | POLLERR)) {
    if (wl_display_read_events(FDisplay) < 0) return ConnectionLost();
  } else {
    wl_display_cancel_read(FDisplay);
  }
  if (wl_display_dispatch_pending(FDisplay) < 0) return ConnectionLost();
  FSeat->AfterDispatch();
}

// The compositor went away or ended the connection: the program ends by the ordinary path.
void TWaylandWindowSystem::ConnectionLost() {
  if (FLost) return;
  FLost = true;
  std::fprintf(stderr, "%s: the Wayland connection is lost: %s\n", program_invocation_short_name,
               std::strerror(wl_display_get_error(FDisplay)));
  Post(TEventKind::Terminate, 0);
}

std::int64_t TWaylandWindowSystem::NowMs() { return MonotonicMs(); }
