#pragma once
#include <functional>
#include <memory>

#include "framework/platform/WindowSystem.h"

class TWaylandGlobals;
class TWaylandPixelMemoryProvider;
class TWaylandWindowTable;
struct TShmBuffer;
struct TWaylandWindow;
struct wl_buffer;
struct wl_callback;
struct wl_callback_listener;
struct wl_display;

// Puts the program's pixels on its windows: the buffers and the bitmaps' own buffers lent to
// windows, the damage, the commits, and the compositor's frame callbacks that pace them. Each
// commit asks to hear when it was shown; until then the window is not ready for a new frame,
// and an animation that asks (ReadyForFrame) draws none. A window the compositor does not show
// hears nothing, and so costs nothing until it is shown again. The presentation part of each
// window's record is this class's alone.
class TWaylandPresenter {
 public:
  // `expose` asks for an area of a window to be drawn anew (pixels were dropped).
  TWaylandPresenter(wl_display* display, TWaylandGlobals& globals, TWaylandWindowTable& windows,
                    std::function<void(TWindowHandle, const TRect&)> expose);
  ~TWaylandPresenter();
  TWaylandPresenter(const TWaylandPresenter&) = delete;
  TWaylandPresenter& operator=(const TWaylandPresenter&) = delete;

  TPixelMemoryProvider* PixelMemory();
  // A put whose pixels fall on the window; a `Wait` put commits at once.
  void Put(TWaylandWindow& window, TBitmap& bitmap, const TRect& source, TPoint dest, TPutMode mode);
  // Every window drawn since its last commit shows its new pixels (the loop's turn, Flush).
  void CommitAll();
  // Whether a new picture of the window would be shown now.
  static bool ReadyForFrame(const TWaylandWindow& window);
  // Whether a put that is to be shown at once should wait for the window's last commit to be
  // shown: not once the compositor was late with it, until it answers again (a window it
  // does not show hears nothing).
  static bool AwaitsCallback(const TWaylandWindow& window);
  static void CallbackLate(TWaylandWindow& window);
  // Whether every full-screen window shown waits for the compositor to show its last commit:
  // nothing of theirs is drawn before one of them hears back.
  bool FullScreenWindowsWait();
  // What was put since the last commit goes unshown (the window changed size or role).
  static void Discard(TWaylandWindow& window);
  // The window is hidden or going: nothing waits for the compositor any more. With `buffers`,
  // its buffers go too.
  static void Forget(TWaylandWindow& window, bool buffers);

 private:
  static const wl_callback_listener kFrameCallbackListener;
  void FrameCallbackDone(wl_callback* callback);
  // The buffer that this turn's pixels of the window go into; null while none is free.
  TShmBuffer* Drawing(TWaylandWindow& window);
  bool Lend(TWaylandWindow& window, TBitmap& bitmap);
  bool Copy(TWaylandWindow& window, const TBitmap& bitmap, const TRect& area, TPoint offset);
  static void CopyPixels(const TBitmap& bitmap, TPoint offset, const TRect& area, TShmBuffer& buffer, int stride);
  // The program's own frame around the window, into the buffer of the next commit.
  void PaintFrame(TWaylandWindow& window);
  void BufferReleased(TWindowHandle window);
  // What the window's next commit shows, now held by the compositor.
  wl_buffer* Committed(TWaylandWindow& window);
  void Commit(TWaylandWindow& window);

  wl_display* FDisplay;
  TWaylandGlobals& FGlobals;
  TWaylandWindowTable& FWindows;
  std::function<void(TWindowHandle, const TRect&)> FExpose;
  std::unique_ptr<TWaylandPixelMemoryProvider> FPixelMemory;
};
