#include "WaylandPresenter.h"

#include <errno.h>  // program_invocation_short_name

#include <cstdio>
#include <cstring>

#include "ShmBufferPool.h"
#include "WaylandApi.h"
#include "WaylandGlobals.h"
#include "WaylandPixelMemory.h"
#include "WaylandViewport.h"
#include "WaylandWindowFrames.h"
#include "WaylandWindowTable.h"

namespace {

TRect Whole(TSize size) { return {0, 0, size.cx, size.cy}; }

}  // namespace

const wl_callback_listener TWaylandPresenter::kFrameCallbackListener = {
    .done = [](void* data, wl_callback* callback,
               std::uint32_t) { static_cast<TWaylandPresenter*>(data)->FrameCallbackDone(callback); },
};

TWaylandPresenter::TWaylandPresenter(wl_display* display, TWaylandGlobals& globals, TWaylandWindowTable& windows,
                                     std::function<void(TWindowHandle, const TRect&)> expose)
    : FDisplay(display),
      FGlobals(globals),
      FWindows(windows),
      FExpose(std::move(expose)),
      FPixelMemory(std::make_unique<TWaylandPixelMemoryProvider>()) {}

TWaylandPresenter::~TWaylandPresenter() = default;

TPixelMemoryProvider* TWaylandPresenter::PixelMemory() { return FPixelMemory.get(); }

bool TWaylandPresenter::ReadyForFrame(const TWaylandWindow& window) {
  return window.Presentation.FrameCallback == nullptr;
}

bool TWaylandPresenter::AwaitsCallback(const TWaylandWindow& window) {
  return !ReadyForFrame(window) && !window.Presentation.CallbackLate;
}

void TWaylandPresenter::CallbackLate(TWaylandWindow& window) {
  window.Presentation.CallbackLate = !ReadyForFrame(window);
}

bool TWaylandPresenter::FullScreenWindowsWait() {
  bool any = false, allWait = true;
  FWindows.ForEach([&](const TWaylandWindow& window) {
    if (!window.Params.FullScreen || !window.Shown) return;
    any = true;
    allWait = allWait && !ReadyForFrame(window);
  });
  return any && allWait;
}

void TWaylandPresenter::Discard(TWaylandWindow& window) {
  TWaylandPresentation& presentation = window.Presentation;
  presentation.Drawing = nullptr;
  presentation.Lent = {};
  presentation.Damage = {};
}

void TWaylandPresenter::Forget(TWaylandWindow& window, bool buffers) {
  Discard(window);
  TWaylandPresentation& presentation = window.Presentation;
  if (presentation.FrameCallback) wl_callback_destroy(presentation.FrameCallback);
  presentation.FrameCallback = nullptr;
  presentation.CallbackLate = false;
  if (!buffers) return;
  presentation.Buffers.reset();
  presentation.ShowsLent = false;
  presentation.Missed = {};
}

// A bitmap that fills a window from a buffer of its own is shown from there; any other is
// copied at once, and both modes leave it free on return. (A bitmap drawn frame by frame
// begins each frame before it writes: its buffer may be the compositor's by then.) Puts
// dropped while the compositor holds every buffer are asked for again by an exposure.
void TWaylandPresenter::Put(TWaylandWindow& window, TBitmap& bitmap, const TRect& source, TPoint dest, TPutMode mode) {
  const TRect clipped = source.Intersect(Whole({bitmap.Width(), bitmap.Height()}));
  const int dx = dest.X - source.Left, dy = dest.Y - source.Top;
  const TRect target = clipped.Offset(dx, dy).Intersect(Whole(window.Size));
  if (target.IsEmpty()) return;
  TWaylandPresentation& presentation = window.Presentation;
  if (!presentation.Drawing && dx == 0 && dy == 0 && Lend(window, bitmap)) {
    presentation.Damage = presentation.Damage.Union(target);
  } else if (!Copy(window, bitmap, target, {dx, dy})) {
    return;
  }
  if (mode == TPutMode::Wait) {
    Commit(window);
    wl_display_flush(FDisplay);
  }
}

bool TWaylandPresenter::Copy(TWaylandWindow& window, const TBitmap& bitmap, const TRect& area, TPoint offset) {
  TWaylandPresentation& presentation = window.Presentation;
  if (!presentation.Drawing && (presentation.Lent || presentation.ShowsLent)) {
    // The window's own buffers lag behind the bitmap's: only a whole picture takes over.
    if (area != Whole(window.Size)) {
      FExpose(window.Handle, Whole(window.Size));
      return false;
    }
    presentation.Lent = {};
  }
  TShmBuffer* buffer = Drawing(window);
  if (!buffer) {
    presentation.Missed = presentation.Missed.Union(area);
    return false;
  }
  const TPoint origin = ClientOrigin(window);
  const TRect inSurface = area.Offset(origin.X, origin.Y);
  CopyPixels(bitmap, {offset.X + origin.X, offset.Y + origin.Y}, inSurface, *buffer, SurfaceSize(window).cx);
  presentation.Damage = presentation.Damage.Union(inSurface);
  return true;
}

// The buffers hold the whole surface: the client area and the frame the program draws. Those
// of another size go at once, so that a window that shrank keeps no memory of its old size.
TShmBuffer* TWaylandPresenter::Drawing(TWaylandWindow& window) {
  TWaylandPresentation& presentation = window.Presentation;
  const TSize surface = SurfaceSize(window);
  if (presentation.Buffers && presentation.Buffers->Size() != surface) {
    presentation.Buffers.reset();
    Discard(window);
  }
  if (presentation.Drawing) return presentation.Drawing;
  if (!presentation.Buffers) {
    if (presentation.Unbuffered == surface) return nullptr;
    try {
      const TWindowHandle handle = window.Handle;
      presentation.Buffers =
          std::make_unique<TShmBufferPool>(FGlobals.Shm, surface, [this, handle] { BufferReleased(handle); });
    } catch (const std::exception& error) {
      std::fprintf(stderr, "%s: no memory for a picture: %s\n", program_invocation_short_name, error.what());
      presentation.Unbuffered = surface;
      return nullptr;
    }
  }
  presentation.Drawing = presentation.Buffers->Acquire();
  return presentation.Drawing;
}

// `area` of the buffer from the bitmap, whose pixels lie `offset` away from the buffer's.
void TWaylandPresenter::CopyPixels(const TBitmap& bitmap, TPoint offset, const TRect& area, TShmBuffer& buffer,
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

// While the compositor holds every buffer, the window's frame waits for the loop's next turn.
void TWaylandPresenter::PaintFrame(TWaylandWindow& window) {
  if (!window.Frame.Caption || !window.Shown || !window.Role.Configured) return;
  TShmBuffer* buffer = Drawing(window);
  if (!buffer) return;
  TWaylandWindowFrames::Paint(window, [&](const TBitmap& picture, const TRect& edge) {
    CopyPixels(picture, {}, edge, *buffer, SurfaceSize(window).cx);
    window.Presentation.Damage = window.Presentation.Damage.Union(edge);
  });
}

bool TWaylandPresenter::Lend(TWaylandWindow& window, TBitmap& bitmap) {
  auto* memory = dynamic_cast<TWaylandPixelMemory*>(bitmap.Memory());
  // A window with a frame of ours shows more than the bitmap holds.
  if (!memory || memory->Provider() != FPixelMemory.get() || bitmap.PixelBits() != 32 ||
      TSize{bitmap.Width(), bitmap.Height()} != window.Size || SurfaceSize(window) != window.Size)
    return false;
  TLentBuffer lent = memory->Lend();
  if (!lent) return false;
  window.Presentation.Lent = std::move(lent);
  return true;
}

void TWaylandPresenter::BufferReleased(TWindowHandle handle) {
  TWaylandWindow* window = FWindows.Find(handle);
  if (!window || window->Presentation.Missed.IsEmpty()) return;
  FExpose(handle, window->Presentation.Missed);
  window->Presentation.Missed = {};
}

void TWaylandPresenter::FrameCallbackDone(wl_callback* callback) {
  FWindows.ForEach([&](TWaylandWindow& window) {
    if (window.Presentation.FrameCallback != callback) return;
    wl_callback_destroy(callback);
    window.Presentation.FrameCallback = nullptr;
    window.Presentation.CallbackLate = false;
  });
}

wl_buffer* TWaylandPresenter::Committed(TWaylandWindow& window) {
  TWaylandPresentation& presentation = window.Presentation;
  if (presentation.Lent) {
    TShmBufferSet& set = *presentation.Lent.Set;
    set.Hold(*presentation.Lent.Buffer);
    presentation.ShowsLent = true;
    return set.Attachable(*presentation.Lent.Buffer, FGlobals.Shm, window.Size);
  }
  presentation.Buffers->Submit(*presentation.Drawing, presentation.Damage);
  presentation.ShowsLent = false;
  return presentation.Buffers->Attachable(*presentation.Drawing);
}

void TWaylandPresenter::CommitAll() {
  FWindows.ForEach([this](TWaylandWindow& window) { Commit(window); });
  wl_display_flush(FDisplay);
}

// A commit asks to hear when it was shown, unless one before it still waits to hear: the
// answers come for both at once.
void TWaylandPresenter::Commit(TWaylandWindow& window) {
  if (!window.Shown || !window.Role.Configured) return;
  if (window.Frame.Stale) PaintFrame(window);
  TWaylandPresentation& presentation = window.Presentation;
  if (!presentation.Drawing && !presentation.Lent) return;
  wl_buffer* buffer = Committed(window);
  WaylandViewport::Prepare(window);
  wl_surface_attach(window.Surface, buffer, 0, 0);
  const TRect& damage = presentation.Damage;
  wl_surface_damage_buffer(window.Surface, damage.Left, damage.Top, damage.Width(), damage.Height());
  if (!presentation.FrameCallback) {
    presentation.FrameCallback = wl_surface_frame(window.Surface);
    wl_callback_add_listener(presentation.FrameCallback, &kFrameCallbackListener, this);
  }
  wl_surface_commit(window.Surface);
  Discard(window);
}
