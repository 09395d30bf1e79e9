#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "framework/platform/WindowSystem.h"

// One in-memory window: what the framework asked of it, and the pixels it put there.
struct THeadlessWindow {
  TWindowParams Params;
  TRect Bounds;
  bool Visible = false;
  bool Foreign = false;  // a host window made by a test, not by the framework
  bool Enabled = true;   // foreign windows only: EnableForeignWindow
  std::string Caption;
  TCursor Cursor = crDefault;
  std::vector<TPixel> Pixels;  // Bounds.Width() x Bounds.Height(), row 0 at the top
};

// A window system without a display, for tests: windows and pixels live in memory, input is
// injected, and the clock is virtual. Waiting with nothing pending moves the clock forward
// to the deadline (or to the next scheduled item), so a test never sleeps.
class THeadlessWindowSystem : public TWindowSystem {
 public:
  explicit THeadlessWindowSystem(TSize screen = {1024, 768});
  ~THeadlessWindowSystem() override;

  TWindowHandle CreateWindow(const TWindowParams& params) override;
  void DestroyWindow(TWindowHandle window) override;
  void ShowWindow(TWindowHandle window, bool visible) override;
  void SetWindowBounds(TWindowHandle window, const TRect& bounds) override;
  void SetWindowCaption(TWindowHandle window, const std::string& caption) override;
  void SetWindowCursor(TWindowHandle window, TCursor cursor) override;
  void DefineCursor(TCursor cursor, const TCursorImage& image) override;
  void SetFocus(TWindowHandle window) override;
  void PutPixels(TWindowHandle window, TBitmap& bitmap, const TRect& source, TPoint dest, TPutMode mode) override;
  TPixelMemoryProvider* PixelMemory() override;
  void Flush() override {}
  TSize ScreenSize() override { return FScreens.empty() ? TSize{} : FScreens.front().Size; }
  std::vector<TScreenInfo> Screens() override { return FScreens; }
  double DesktopScale() override { return Scale; }
  TPoint ClientToScreen(TWindowHandle window, TPoint point) override;
  bool WindowSize(TWindowHandle window, TSize& size) override;
  // A foreign window of the screen's size, made when first asked for.
  TWindowHandle DesktopWindow() override;
  TWindowHandle ForegroundWindow() override { return Foreground; }
  void EnableForeignWindow(TWindowHandle foreign, bool enable) override;
  void SetForegroundWindow(TWindowHandle window) override;
  void SetScreenSaverRunning(TWindowHandle saver, bool running) override;
  void HideTaskbarWindow() override { ++TaskbarHides; }
  void Beep() override { ++Beeps; }
  bool NextEvent(TWsEvent& event) override;
  void WaitForEvent(std::int64_t deadlineMs) override;
  std::int64_t NowMs() override { return FNow; }

  // --- The test's side ---

  // Queues an event now. An input event for window 0 goes to the window with the focus;
  // while a popup window is shown, every input event goes to it instead, the pointer's
  // position turned into its coordinates, as its grab has it on X11.
  void Push(const TWsEvent& event);
  // Queues an event, or runs an action, once the virtual clock reaches `timeMs`.
  void PushAt(std::int64_t timeMs, const TWsEvent& event);
  void At(std::int64_t timeMs, std::function<void()> action);
  // Shorthands for the events tests use most.
  static TWsEvent Key(unsigned key, TShiftState shift = 0, TWindowHandle window = 0);
  // A key press that types `ch` (its key: the letter or digit upper-cased, else 255).
  static TWsEvent Char(char32_t ch, TWindowHandle window = 0);
  static TWsEvent Mouse(TEventKind kind, int x, int y, TWindowHandle window = 0);
  // `notches` turns of the wheel at (x, y): positive away from the user, negative towards.
  static TWsEvent Wheel(int notches, int x, int y, TWindowHandle window = 0);
  static TWsEvent Of(TEventKind kind, TWindowHandle window = 0);

  // Time that passes while the program works (a slow handler, for instance).
  void Advance(std::int64_t milliseconds) { AdvanceTo(FNow + milliseconds); }

  // The screen takes a new size (RandR on X11), and the program is told.
  void ChangeScreenSize(TSize size);
  // A monitor is plugged in or out (a Wayland output), and the program is told. The first
  // screen, made with the window system, has the id 1.
  TScreenId AddScreen(TSize size, int scale = 1);
  void RemoveScreen(TScreenId screen);

  // A window of another program, e.g. a screen-saver host; destroying it tells its children.
  TWindowHandle CreateForeignWindow(TSize size);
  void DestroyForeignWindow(TWindowHandle window);

  // Null once the window is destroyed.
  const THeadlessWindow* Window(TWindowHandle window) const;
  // The framework's live windows (not foreign ones), oldest first.
  std::vector<TWindowHandle> OwnWindows() const;
  std::vector<TWindowHandle> VisibleOwnWindows() const;
  TPixel PixelAt(TWindowHandle window, int x, int y) const;
  // Whether `memory` came from PixelMemory() and is still alive.
  bool IsSharedMemory(const TPixelMemory* memory) const;

  // The desktop's scale, which ordinary windows made from now on draw at.
  double Scale = 1;

  // A wait with no deadline and nothing scheduled would never end: it fails instead, as
  // does running past this virtual time.
  std::int64_t TimeLimitMs = 3'600'000;

  // What the framework did to the system.
  bool ScreenSaverRunning = false;
  std::vector<bool> ScreenSaverCalls;
  int TaskbarHides = 0;
  int Beeps = 0;
  // The pictures given to cursor values, and how often one was given.
  std::map<TCursor, TCursorImage> CursorImages;
  int CursorDefinitions = 0;
  int PutPixelsCalls = 0;
  // Puts into a window that was not shown at the time: pixels nobody could see.
  int HiddenPuts = 0;
  TWindowHandle Foreground = 0;
  TWindowHandle Focus = 0;
  // Times the window with the focus was hidden or destroyed, which leaves the focus to the
  // window manager's choice (on X11, maybe another program's window).
  int FocusDropped = 0;
  // The shown popup window that holds keyboard and pointer, or 0.
  TWindowHandle Grab = 0;
  std::vector<TWindowHandle> ForegroundRequests;
  struct TEnableCall {
    TWindowHandle Foreign;
    bool Enable;
  };
  std::vector<TEnableCall> EnableCalls;

 private:
  class TSharedMemoryProvider;
  struct TScheduled {
    std::int64_t Time;
    std::uint64_t Order;
    std::function<void()> Release;
  };

  THeadlessWindow& Existing(TWindowHandle window);
  void ReleaseDue();
  void DropFocusFrom(TWindowHandle window);
  // Sends an input event to the popup window that holds the grab.
  void Redirect(TWsEvent& event);
  void AdvanceTo(std::int64_t timeMs);
  void Schedule(std::int64_t timeMs, std::function<void()> release);

  std::vector<TScreenInfo> FScreens;
  TScreenId FLastScreen = 1;
  std::int64_t FNow = 0;
  TWindowHandle FLastHandle = 0;
  TWindowHandle FDesktop = 0;
  std::uint64_t FScheduleOrder = 0;
  std::map<TWindowHandle, THeadlessWindow> FWindows;
  std::vector<TWsEvent> FQueue;
  std::vector<TScheduled> FScheduled;
  std::unique_ptr<TSharedMemoryProvider> FMemory;
};
