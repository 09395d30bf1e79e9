#pragma once
#include <deque>
#include <memory>
#include <string>

#include "framework/platform/WindowSystem.h"

class TTerminationSignals;
class TWaylandCursors;
class TWaylandGlobals;
class TWaylandOutputs;
class TWaylandPresenter;
class TWaylandSeat;
class TWaylandShell;
class TWaylandWindowTable;
struct TWaylandWindow;
struct wl_display;

// The window system on a Wayland compositor: libwayland-client, shared-memory buffers and
// xkbcommon. Seen from outside this header has no Wayland in it.
class TWaylandWindowSystem : public TWindowSystem {
 public:
  struct TOptions {
    // Full-screen windows as layer surfaces where the compositor offers the layer shell;
    // without it (or with this off), full-screen toplevels.
    bool UseLayerShell = true;
    // Frames drawn by the compositor where it offers them; without (or with this off), the
    // program draws its own.
    bool UseServerFrames = true;
  };

  // Connects to the compositor that WAYLAND_DISPLAY names. Null when none answers there or
  // it lacks what windows need; `failure` then says so in a few words.
  static std::unique_ptr<TWaylandWindowSystem> Connect(const TOptions& options, std::string& failure);
  ~TWaylandWindowSystem() override;

  TWindowHandle CreateWindow(const TWindowParams& params) override;
  void DestroyWindow(TWindowHandle window) override;
  void ShowWindow(TWindowHandle window, bool visible) override;
  void SetWindowBounds(TWindowHandle window, const TRect& bounds) override;
  void SetWindowCaption(TWindowHandle window, const std::string& caption) override;
  void SetWindowCursor(TWindowHandle window, TCursor cursor) override;
  void DefineCursor(TCursor cursor, const TCursorImage& image) override;
  void SetFocus(TWindowHandle window) override;

  void PutPixels(TWindowHandle window, TBitmap& bitmap, const TRect& source, TPoint dest, TPutMode mode) override;
  bool ReadyForFrame(TWindowHandle window) override;
  TPixelMemoryProvider* PixelMemory() override;
  void Flush() override;

  TSize ScreenSize() override;
  std::vector<TScreenInfo> Screens() override;
  double DesktopScale() override;
  TPoint ClientToScreen(TWindowHandle window, TPoint point) override;
  bool WindowSize(TWindowHandle window, TSize& size) override;
  TWindowHandle ForegroundWindow() override { return 0; }
  void EnableForeignWindow(TWindowHandle foreign, bool enable) override;
  void SetForegroundWindow(TWindowHandle window) override;

  void SetScreenSaverRunning(TWindowHandle saver, bool running) override;
  void HideTaskbarWindow() override;
  void Beep() override;

  bool NextEvent(TWsEvent& event) override;
  void WaitForEvent(std::int64_t deadlineMs) override;
  std::int64_t NowMs() override;

 private:
  TWaylandWindowSystem(wl_display* display, const TOptions& options);
  bool HasWhatWindowsNeed() const;

  void Post(TEventKind kind, TWindowHandle window);
  void ScreensChanged();
  void FollowScale(TWaylandWindow& window);
  void MapWindow(TWaylandWindow& window);
  void MapPopup(TWaylandWindow& popup);
  void UnmapWindow(TWaylandWindow& window);
  void ClosePopupsAbove(TWaylandWindow& popup);
  void Configured(TWaylandWindow& window);
  void Resize(TWaylandWindow& window);
  void PostExpose(TWindowHandle window, const TRect& area);
  // Until the window is placed and its last commit shown, for a little while.
  void AwaitShowable(TWaylandWindow& window);
  // Until the compositor has answered what was sent, or `giveUp` (monotonic ms) has come.
  bool RoundTrip(std::int64_t giveUp);
  // Reads what the compositor sent, waiting up to `timeoutMs` (-1: for ever) for it.
  void ReadEvents(int timeoutMs);
  void ConnectionLost();

  wl_display* FDisplay;
  std::unique_ptr<TTerminationSignals> FSignals;
  std::deque<TWsEvent> FQueue;
  std::unique_ptr<TWaylandWindowTable> FWindows;
  std::unique_ptr<TWaylandOutputs> FOutputs;
  std::unique_ptr<TWaylandGlobals> FGlobals;
  std::unique_ptr<TWaylandCursors> FCursors;
  std::unique_ptr<TWaylandSeat> FSeat;
  std::unique_ptr<TWaylandShell> FShell;
  std::unique_ptr<TWaylandPresenter> FPresenter;
  bool FConnected = false;
  bool FTrimDue = false;  // a window shrank: the memory of its old size goes once the loop turned
  bool FLost = false;
};
