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

}  // namespace

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
      *FGlobals, *FOutputs, *FWindows, options.UseLayerShell,
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
  window.Drawing = nullptr;
  window.Lent = {};
  window.Damage = {};
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
  FSeat->Forget(handle);
  FShell->Withdraw(*window);
  window->Buffers.reset();
  wl_surface_destroy(window->Surface);
  FWindows->Remove(handle);
  wl_display_flush(FDisplay);
}

void TWaylandWindowSystem::ShowWindow(TWindowHandle handle, bool visible) {
  TWaylandWindow* window = FWindows->Find(handle);
  if (!window || window->Shown == visible) return;
  window->Shown = visible;
  if (visible) {
    FShell->Map(*window);
  } else {
    window->Drawing = nullptr;
    window->Lent = {};
    window->Damage = {};
    FShell->Unmap(*window);
  }
  wl_display_flush(FDisplay);
}

// A full-screen window has the size of its output; another draws the size it likes.
void TWaylandWindowSystem::SetWindowBounds(TWindowHandle handle, const TRect& bounds) {
  TWaylandWindow* window = FWindows->Find(handle);
  if (!window || window->Params.FullScreen) return;
  window->Size = {std::clamp(bounds.Width(), 1, kMaxSide), std::clamp(bounds.Height(), 1, kMaxSide)};
  window->Logical = {window->Size.cx / window->Scale, window->Size.cy / window->Scale};
  window->Drawing = nullptr;
  window->Lent = {};
  window->Damage = {};
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

// The program's own pictures: the theme's arrow stands in for them.
void TWaylandWindowSystem::DefineCursor(TCursor, const TCursorImage&) {}

// The compositor gives the keyboard to the window it chooses; a full-screen one takes it.
void TWaylandWindowSystem::SetFocus(TWindowHandle) {}

TShmBuffer* TWaylandWindowSystem::Drawing(TWaylandWindow& window) {
  if (window.Drawing) return window.Drawing;
  if (!window.Buffers || window.Buffers->Size() != window.Size) {
    window.Buffers.reset();
    if (window.Unbuffered == window.Size) return nullptr;
    try {
      const TWindowHandle handle = window.Handle;
      window.Buffers =
          std::make_unique<TShmBufferPool>(FGlobals->Shm, window.Size, [this, handle] { BufferReleased(handle); });
    } catch (const std::exception& error) {
      std::fprintf(stderr, "%s: no memory for a frame: %s\n", program_invocation_short_name, error.what());
      window.Unbuffered = window.Size;
      return nullptr;
    }
  }
  window.Drawing = window.Buffers->Acquire();
  return window.Drawing;
}

TPixelMemoryProvider* TWaylandWindowSystem::PixelMemory() { return FPixelMemory.get(); }

// A bitmap that fills the window from a buffer of its own is shown from there; any other is
// copied at once, and both modes leave it free on return. (A bitmap drawn frame by frame
// begins each frame before it writes: its buffer may be the compositor's by then.)
void TWaylandWindowSystem::PutPixels(TWindowHandle handle, TBitmap& bitmap, const TRect& source, TPoint dest,
                                     TPutMode) {
  TWaylandWindow* window = FWindows->Find(handle);
  // Before the compositor has placed the window nothing can be shown; an exposure follows.
  if (!window || !window->Shown || !window->Configured) return;
  const TRect clipped = source.Intersect(Whole({bitmap.Width(), bitmap.Height()}));
  const int dx = dest.X - source.Left, dy = dest.Y - source.Top;
  const TRect target = clipped.Offset(dx, dy).Intersect(Whole(window->Size));
  if (target.IsEmpty()) return;
  if (!window->Drawing && dx == 0 && dy == 0 && Lend(*window, bitmap)) {
    window->Damage = window->Damage.Union(target);
    return;
  }
  if (!window->Drawing && (window->Lent || window->ShowsLent)) {
    // The window's own buffers lag behind the bitmap's: only a whole picture takes over.
    if (target != Whole(window->Size)) return PostExpose(handle, Whole(window->Size));
    window->Lent = {};
  }
  TShmBuffer* buffer = Drawing(*window);
  if (!buffer) {
    window->Missed = window->Missed.Union(target);
    return;
  }
  const int width = window->Size.cx;
  for (int y = target.Top; y < target.Bottom; ++y) {
    std::uint32_t* row = buffer->Pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    if (bitmap.PixelBits() == 32) {
      std::memcpy(row + target.Left, bitmap.Row32(y - dy) + (target.Left - dx),
                  static_cast<std::size_t>(target.Width()) * sizeof(std::uint32_t));
    } else {
      for (int x = target.Left; x < target.Right; ++x) row[x] = bitmap.PixelAt(x - dx, y - dy);
    }
  }
  window->Damage = window->Damage.Union(target);
}

bool TWaylandWindowSystem::Lend(TWaylandWindow& window, TBitmap& bitmap) {
  auto* memory = dynamic_cast<TWaylandPixelMemory*>(bitmap.Memory());
  if (!memory || memory->Provider() != FPixelMemory.get() || bitmap.PixelBits() != 32 ||
      TSize{bitmap.Width(), bitmap.Height()} != window.Size)
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
  FWindows->ForEach([this](TWaylandWindow& window) {
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
    window.Drawing = nullptr;
    window.Lent = {};
    window.Damage = {};
  });
  wl_display_flush(FDisplay);
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
  if (FQueue.empty()) return false;
  event = FQueue.front();
  FQueue.pop_front();
  return true;
}

void TWaylandWindowSystem::WaitForEvent(std::int64_t deadlineMs) {
  CommitFrames();
  if (!FQueue.empty()) return;
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
