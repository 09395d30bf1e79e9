#pragma once
#include <deque>
#include <memory>
#include <string>

#include "framework/platform/WindowSystem.h"

class TTerminationSignals;
class TWaylandCursors;
class TWaylandGlobals;
class TWaylandOutputs;
class TWaylandPixelMemoryProvider;
class TWaylandSeat;
class TWaylandShell;
class TWaylandWindowTable;
struct TShmBuffer;
struct TWaylandWindow;
struct wl_callback;
struct wl_callback_listener;
struct wl_buffer;
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
  TPixelMemoryProvider* PixelMemory() override;
  void Flush() override;

  TSize ScreenSize() override;
  std::vector<TScreenInfo> Screens() override;
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
  void MapWindow(TWaylandWindow& window);
  bool MapPopup(TWaylandWindow& popup);
  void UnmapWindow(TWaylandWindow& window);
  void ClosePopupsAbove(TWaylandWindow& popup);
  void Configured(TWaylandWindow& window);
  void AwaitConfigure(TWaylandWindow& window);
  void Resize(TWaylandWindow& window);
  void BufferReleased(TWindowHandle window);
  void PostExpose(TWindowHandle window, const TRect& area);
  // The buffer that this turn's pixels of the window go into; null while none is free.
  TShmBuffer* Drawing(TWaylandWindow& window);
  // The same, waiting a little for the compositor to let go of a buffer when it holds them all.
  TShmBuffer* AwaitDrawing(TWaylandWindow& window);
  static void CopyPixels(const TBitmap& bitmap, TPoint offset, const TRect& area, TShmBuffer& buffer, int stride);
  // The frame that the program draws around the window, where the compositor draws none.
  void PaintFrame(TWaylandWindow& window);
  // What is shown at once goes at the display's pace: a frame waits until the one before it
  // was shown.
  static const wl_callback_listener kFrameDoneListener;
  void RequestFrameDone(TWaylandWindow& window);
  void AwaitFrameDone(TWaylandWindow& window);
  void FrameDone(wl_callback* callback);
  static void ForgetFrameDone(TWaylandWindow& window);
  // Whether `bitmap` goes to the window as it is, in a buffer of its own (a frame of an
  // animation that fills a window without a frame of ours): then that buffer is this turn's.
  bool Lend(TWaylandWindow& window, TBitmap& bitmap);
  // Copies `area` of the window from the bitmap, whose pixels lie `offset` away, into the
  // window's buffer of this turn; false when nothing was.
  bool Copy(TWaylandWindow& window, const TBitmap& bitmap, const TRect& area, TPoint offset, TPutMode mode);
  // What the window's next commit shows, now held by the compositor: the bitmap's buffer
  // lent this turn, or the window's own drawn this turn, brought up to date.
  wl_buffer* Committed(TWaylandWindow& window);
  // Every window drawn since the last commit shows its new pixels.
  void CommitFrames();
  void CommitFrame(TWaylandWindow& window);
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
  std::unique_ptr<TWaylandPixelMemoryProvider> FPixelMemory;
  bool FLost = false;
};
