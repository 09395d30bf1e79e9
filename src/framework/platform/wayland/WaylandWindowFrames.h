#pragma once
#include <cstdint>
#include <deque>
#include <functional>

#include "framework/platform/WindowSystem.h"

struct TWaylandWindow;
struct wl_seat;

// The frames that the program draws around its toplevels where the compositor draws none (a
// caption bar with a close box, TCaptionBar): their painting, and what the pointer does to
// them. A press on a frame holds the pointer until the button is up: on the caption, the
// compositor moves the window; pressed and released over the close box, the window is asked to
// close. The frame part of each window's record changes here only; the shell says when the
// window's role or title changed, the seat tells the pointer's input.
class TWaylandWindowFrames {
 public:
  explicit TWaylandWindowFrames(std::deque<TWsEvent>& queue) : FQueue(queue) {}

  // The frame that the program draws where the compositor draws none, after the window's role
  // or its configure changed; true when it came or went (the window's size limits follow).
  static bool Update(TWaylandWindow& window);
  static void SetTitle(TWaylandWindow& window, const char* title);

  // Whether a point of the window's surface is in its client area rather than on its frame.
  static bool InClient(const TWaylandWindow& window, TPoint at);
  // Whether a frame holds the pointer since a press on it.
  bool Holds() const { return FHeld; }
  // A button went down at `at`, on the window's frame; the left one on the caption moves the
  // window from the input of `serial` on.
  void Press(TWaylandWindow& window, TPoint at, bool left, wl_seat* seat, std::uint32_t serial);
  void Drag(TWaylandWindow& window, TPoint at);
  // The left button came up at `at`.
  void Release(TWaylandWindow& window, TPoint at);
  // The pointer left the window while a frame held it: the compositor took it to move the window.
  void PointerLeft(TWaylandWindow& window);
  // Every button is up.
  void ButtonsUp() { FHeld = false; }

  // A window's frame when it is to be drawn anew: `copy` puts each edge of the picture into the
  // window's next commit.
  static void Paint(TWaylandWindow& window, const std::function<void(const TBitmap&, const TRect&)>& copy);

 private:
  std::deque<TWsEvent>& FQueue;
  bool FHeld = false;
};
