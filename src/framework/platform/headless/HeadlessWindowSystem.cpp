#include "HeadlessWindowSystem.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

// Hands out heap memory but remembers each block, so that tests can tell a bitmap that
// would be shared with the display from one that would be copied. A block may outlive the
// window system (a bitmap destroyed after it), hence the shared register.
class THeadlessWindowSystem::TSharedMemoryProvider : public TPixelMemoryProvider {
 public:
  std::unique_ptr<TPixelMemory> Allocate(std::size_t bytes) override { return std::make_unique<TBlock>(FLive, bytes); }
  bool Owns(const TPixelMemory* memory) const { return FLive->count(memory) != 0; }

 private:
  using TRegister = std::set<const TPixelMemory*>;

  class TBlock : public TPixelMemory {
   public:
    TBlock(std::shared_ptr<TRegister> live, std::size_t bytes)
        : FLive(std::move(live)), FData(new std::uint8_t[bytes == 0 ? 1 : bytes]()) {
      FLive->insert(this);
    }
    ~TBlock() override { FLive->erase(this); }
    std::uint8_t* Data() override { return FData.get(); }

   private:
    std::shared_ptr<TRegister> FLive;
    std::unique_ptr<std::uint8_t[]> FData;
  };

  std::shared_ptr<TRegister> FLive = std::make_shared<TRegister>();
};

THeadlessWindowSystem::THeadlessWindowSystem(TSize screen)
    : FScreens{{1, screen, 1, "HEADLESS-1"}}, FMemory(std::make_unique<TSharedMemoryProvider>()) {}

THeadlessWindowSystem::~THeadlessWindowSystem() = default;

THeadlessWindow& THeadlessWindowSystem::Existing(TWindowHandle window) {
  const auto found = FWindows.find(window);
  if (found == FWindows.end()) throw std::logic_error("headless: no window " + std::to_string(window));
  return found->second;
}

TWindowHandle THeadlessWindowSystem::CreateWindow(const TWindowParams& params) {
  // A foreign parent that is gone makes creation fail, as a bad window id does on X11.
  if (params.Parent != 0 && !FWindows.count(params.Parent))
    throw EDisplayError("headless: parent window " + std::to_string(params.Parent) + " does not exist");
  const TWindowHandle handle = ++FLastHandle;
  THeadlessWindow& window = FWindows[handle];
  window.Params = params;
  window.Caption = params.Caption;
  SetWindowBounds(handle, params.Bounds);
  return handle;
}

void THeadlessWindowSystem::DestroyWindow(TWindowHandle window) {
  FWindows.erase(window);
  DropFocusFrom(window);
  if (Grab == window) Grab = 0;
}

void THeadlessWindowSystem::DropFocusFrom(TWindowHandle window) {
  if (Focus != window) return;
  Focus = 0;
  ++FocusDropped;
}

void THeadlessWindowSystem::ShowWindow(TWindowHandle window, bool visible) {
  THeadlessWindow& w = Existing(window);
  w.Visible = visible;
  if (!visible) DropFocusFrom(window);
  if (!w.Params.Popup) return;
  if (visible) Grab = window;
  else if (Grab == window) Grab = 0;
}

void THeadlessWindowSystem::SetWindowBounds(TWindowHandle window, const TRect& bounds) {
  THeadlessWindow& w = Existing(window);
  w.Bounds = bounds;
  w.Pixels.assign(
      static_cast<std::size_t>(std::max(bounds.Width(), 0)) * static_cast<std::size_t>(std::max(bounds.Height(), 0)),
      0);
}

void THeadlessWindowSystem::SetWindowCaption(TWindowHandle window, const std::string& caption) {
  Existing(window).Caption = caption;
}

void THeadlessWindowSystem::SetWindowCursor(TWindowHandle window, TCursor cursor) { Existing(window).Cursor = cursor; }

void THeadlessWindowSystem::DefineCursor(TCursor cursor, const TCursorImage& image) {
  CursorImages[cursor] = image;
  ++CursorDefinitions;
}

// A popup takes the input by its grab, never the focus.
void THeadlessWindowSystem::SetFocus(TWindowHandle window) {
  if (!Existing(window).Params.Popup) Focus = window;
}

// In memory every put is taken at once, whatever the mode.
void THeadlessWindowSystem::PutPixels(TWindowHandle window, TBitmap& bitmap, const TRect& source, TPoint dest,
                                      TPutMode) {
  ++PutPixelsCalls;
  // The display would read memory that is not the bitmap's: the framework's mistake.
  if (!source.IsEmpty() && source.Intersect(Bounds(0, 0, bitmap.Width(), bitmap.Height())) != source)
    throw std::logic_error("headless: pixels put from outside the bitmap");
  THeadlessWindow& w = Existing(window);
  if (!w.Visible) ++HiddenPuts;
  const int width = w.Bounds.Width();
  const TRect target =
      source.Offset(dest.X - source.Left, dest.Y - source.Top).Intersect({0, 0, width, w.Bounds.Height()});
  for (int y = target.Top; y < target.Bottom; ++y) {
    const int sourceY = y - dest.Y + source.Top;
    const int sourceX = target.Left - dest.X + source.Left;
    std::memcpy(&w.Pixels[static_cast<std::size_t>(y) * width + target.Left], bitmap.Row32(sourceY) + sourceX,
                static_cast<std::size_t>(target.Width()) * sizeof(TPixel));
  }
}

TPixelMemoryProvider* THeadlessWindowSystem::PixelMemory() { return FMemory.get(); }

TPoint THeadlessWindowSystem::ClientToScreen(TWindowHandle window, TPoint point) {
  for (const THeadlessWindow* w = Window(window); w; w = Window(w->Params.Parent)) {
    point.X += w->Bounds.Left;
    point.Y += w->Bounds.Top;
  }
  return point;
}

bool THeadlessWindowSystem::WindowSize(TWindowHandle window, TSize& size) {
  const auto found = FWindows.find(window);
  if (found == FWindows.end()) return false;
  size = {found->second.Bounds.Width(), found->second.Bounds.Height()};
  return true;
}

TWindowHandle THeadlessWindowSystem::DesktopWindow() {
  if (!FDesktop) FDesktop = CreateForeignWindow(ScreenSize());
  return FDesktop;
}

void THeadlessWindowSystem::EnableForeignWindow(TWindowHandle foreign, bool enable) {
  EnableCalls.push_back({foreign, enable});
  const auto found = FWindows.find(foreign);
  if (found != FWindows.end()) found->second.Enabled = enable;
}

void THeadlessWindowSystem::SetForegroundWindow(TWindowHandle window) {
  ForegroundRequests.push_back(window);
  Foreground = window;
}

void THeadlessWindowSystem::SetScreenSaverRunning(TWindowHandle, bool running) {
  ScreenSaverRunning = running;
  ScreenSaverCalls.push_back(running);
}

void THeadlessWindowSystem::Push(const TWsEvent& event) { FQueue.push_back(event); }

void THeadlessWindowSystem::PushAt(std::int64_t timeMs, const TWsEvent& event) {
  Schedule(timeMs, [this, event] { Push(event); });
}

void THeadlessWindowSystem::At(std::int64_t timeMs, std::function<void()> action) {
  Schedule(timeMs, std::move(action));
}

void THeadlessWindowSystem::Schedule(std::int64_t timeMs, std::function<void()> release) {
  FScheduled.push_back({timeMs, ++FScheduleOrder, std::move(release)});
  std::stable_sort(FScheduled.begin(), FScheduled.end(), [](const TScheduled& a, const TScheduled& b) {
    return a.Time != b.Time ? a.Time < b.Time : a.Order < b.Order;
  });
}

TWsEvent THeadlessWindowSystem::Key(unsigned key, TShiftState shift, TWindowHandle window) {
  TWsEvent event = Of(TEventKind::KeyDown, window);
  event.Key = key;
  event.Shift = shift;
  return event;
}

TWsEvent THeadlessWindowSystem::Char(char32_t ch, TWindowHandle window) {
  unsigned key = 255;
  if ((ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == ' ') key = static_cast<unsigned>(ch);
  if (ch >= 'a' && ch <= 'z') key = static_cast<unsigned>(ch - 'a' + 'A');
  TWsEvent event = Key(key, ch >= 'A' && ch <= 'Z' ? ssShift : 0, window);
  event.Char = ch;
  return event;
}

TWsEvent THeadlessWindowSystem::Mouse(TEventKind kind, int x, int y, TWindowHandle window) {
  TWsEvent event = Of(kind, window);
  event.X = x;
  event.Y = y;
  return event;
}

TWsEvent THeadlessWindowSystem::Wheel(int notches, int x, int y, TWindowHandle window) {
  TWsEvent event = Mouse(TEventKind::MouseWheel, x, y, window);
  event.WheelDelta = notches * WHEEL_DELTA;
  return event;
}

TWsEvent THeadlessWindowSystem::Of(TEventKind kind, TWindowHandle window) {
  TWsEvent event;
  event.Kind = kind;
  event.Window = window;
  return event;
}

void THeadlessWindowSystem::ChangeScreenSize(TSize size) {
  if (!FScreens.empty()) FScreens.front().Size = size;
  TWsEvent event = Of(TEventKind::ScreenResized);
  event.Width = size.cx;
  event.Height = size.cy;
  Push(event);
}

TScreenId THeadlessWindowSystem::AddScreen(TSize size, int scale) {
  const TScreenId id = ++FLastScreen;
  FScreens.push_back({id, size, scale, "HEADLESS-" + std::to_string(id)});
  Push(Of(TEventKind::ScreensChanged));
  return id;
}

void THeadlessWindowSystem::RemoveScreen(TScreenId screen) {
  std::erase_if(FScreens, [&](const TScreenInfo& info) { return info.Id == screen; });
  Push(Of(TEventKind::ScreensChanged));
}

TWindowHandle THeadlessWindowSystem::CreateForeignWindow(TSize size) {
  const TWindowHandle handle = ++FLastHandle;
  THeadlessWindow& window = FWindows[handle];
  window.Foreign = true;
  window.Visible = true;
  SetWindowBounds(handle, {0, 0, size.cx, size.cy});
  return handle;
}

void THeadlessWindowSystem::DestroyForeignWindow(TWindowHandle window) {
  // As on X11, the children go with their parent; each learns of it by an event.
  std::erase_if(FWindows, [&](const auto& entry) {
    if (entry.second.Params.Parent != window) return false;
    Push(Of(TEventKind::HostDestroyed, entry.first));
    return true;
  });
  FWindows.erase(window);
}

const THeadlessWindow* THeadlessWindowSystem::Window(TWindowHandle window) const {
  const auto found = FWindows.find(window);
  return found == FWindows.end() ? nullptr : &found->second;
}

std::vector<TWindowHandle> THeadlessWindowSystem::OwnWindows() const {
  std::vector<TWindowHandle> handles;
  for (const auto& [handle, window] : FWindows)
    if (!window.Foreign) handles.push_back(handle);
  return handles;
}

std::vector<TWindowHandle> THeadlessWindowSystem::VisibleOwnWindows() const {
  std::vector<TWindowHandle> handles;
  for (const auto& [handle, window] : FWindows)
    if (!window.Foreign && window.Visible) handles.push_back(handle);
  return handles;
}

TPixel THeadlessWindowSystem::PixelAt(TWindowHandle window, int x, int y) const {
  const THeadlessWindow* w = Window(window);
  if (!w || !TRect{0, 0, w->Bounds.Width(), w->Bounds.Height()}.Contains(x, y))
    throw std::logic_error("headless: no such pixel");
  return w->Pixels[static_cast<std::size_t>(y) * w->Bounds.Width() + x];
}

bool THeadlessWindowSystem::IsSharedMemory(const TPixelMemory* memory) const { return FMemory->Owns(memory); }

void THeadlessWindowSystem::ReleaseDue() {
  while (!FScheduled.empty() && FScheduled.front().Time <= FNow) {
    const auto release = std::move(FScheduled.front().Release);
    FScheduled.erase(FScheduled.begin());
    release();
  }
}

bool THeadlessWindowSystem::NextEvent(TWsEvent& event) {
  ReleaseDue();
  if (FQueue.empty()) return false;
  event = FQueue.front();
  FQueue.erase(FQueue.begin());
  if (event.Window == 0) event.Window = Focus;
  if (Grab != 0) Redirect(event);
  return true;
}

void THeadlessWindowSystem::Redirect(TWsEvent& event) {
  switch (event.Kind) {
    case TEventKind::MouseDown:
    case TEventKind::MouseUp:
    case TEventKind::MouseMove:
    case TEventKind::MouseWheel: {
      const TPoint onScreen = ClientToScreen(event.Window, {event.X, event.Y});
      const TPoint origin = ClientToScreen(Grab, {0, 0});
      event.X = onScreen.X - origin.X;
      event.Y = onScreen.Y - origin.Y;
      event.Window = Grab;
      break;
    }
    case TEventKind::KeyDown:
    case TEventKind::KeyUp: event.Window = Grab; break;
    default: break;
  }
}

void THeadlessWindowSystem::AdvanceTo(std::int64_t timeMs) {
  if (timeMs > TimeLimitMs)
    throw std::logic_error("headless: the program ran past the test's time limit without ending");
  FNow = std::max(FNow, timeMs);
}

void THeadlessWindowSystem::WaitForEvent(std::int64_t deadlineMs) {
  ReleaseDue();
  if (!FQueue.empty()) return;
  if (!FScheduled.empty() && FScheduled.front().Time <= deadlineMs) {
    AdvanceTo(FScheduled.front().Time);
    ReleaseDue();
    return;
  }
  if (deadlineMs == NoDeadline) throw std::logic_error("headless: waiting for input that nothing will ever send");
  AdvanceTo(deadlineMs);
}
