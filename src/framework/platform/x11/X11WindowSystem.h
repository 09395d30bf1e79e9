#pragma once
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>

#include "framework/platform/WindowSystem.h"

class TX11Connection;
class TX11Cursors;
class TX11EventTranslator;
class TX11Grabs;
class TX11Painter;
class TX11WindowManagerHints;
class TX11WindowTable;
class TShmPixelMemoryProvider;
class TTerminationSignals;

// The window system of the shipped program: Xlib, with MIT-SHM for frames. The display is
// opened by the first call that needs it, so a run that makes no window never touches it.
// Seen from outside this header has no X11 in it.
class TX11WindowSystem : public TWindowSystem {
 public:
  // `triedBefore`: what failed before X11 was chosen (a Wayland compositor that did not
  // answer): told with the display's own failure, or on standard error once X11 has opened.
  explicit TX11WindowSystem(std::string triedBefore = "");
  ~TX11WindowSystem() override;

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
  void Flush() override;

  TSize ScreenSize() override;
  // Xft.dpi of the resources the display had when it was opened, or QUENBREL_SCALE.
  double DesktopScale() override;
  std::vector<TScreenInfo> Screens() override;
  TPoint ClientToScreen(TWindowHandle window, TPoint point) override;
  TWindowHandle DesktopWindow() override;
  bool WindowSize(TWindowHandle window, TSize& size) override;
  TWindowHandle ForegroundWindow() override;
  void EnableForeignWindow(TWindowHandle foreign, bool enable) override;
  void SetForegroundWindow(TWindowHandle window) override;

  void SetScreenSaverRunning(TWindowHandle saver, bool running) override;
  void HideTaskbarWindow() override;
  void Beep() override;

  bool NextEvent(TWsEvent& event) override;
  void WaitForEvent(std::int64_t deadlineMs) override;
  std::int64_t NowMs() override;

 private:
  // The open display; opens it on first use (EDisplayError when it cannot).
  TX11Connection& Connection();
  bool Open() const { return FConnection != nullptr; }
  bool Mapped(TWindowHandle window);
  bool ReadXEvent(TWsEvent& event);

  std::unique_ptr<TTerminationSignals> FSignals;
  std::unique_ptr<TShmPixelMemoryProvider> FPixelMemory;
  std::unique_ptr<TX11Connection> FConnection;
  std::unique_ptr<TX11WindowTable> FWindows;
  std::unique_ptr<TX11Grabs> FGrabs;
  // Cursor pictures may be given before the display is open; they are made when shown.
  std::map<TCursor, TCursorImage> FCursorImages;
  std::unique_ptr<TX11Cursors> FCursors;
  std::unique_ptr<TX11WindowManagerHints> FHints;
  std::unique_ptr<TX11EventTranslator> FTranslator;
  std::unique_ptr<TX11Painter> FPainter;
  std::deque<TWsEvent> FQueued;  // events that arose outside the X queue
  std::string FTriedBefore;
};
