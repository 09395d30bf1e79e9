#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <utility>

#include "framework/platform/WindowSystem.h"

struct TWaylandWindow;
struct wl_seat;

// The frames that the program draws around its toplevels where the compositor draws none (a
// caption bar with a close box, TCaptionBar): their painting, and what the pointer does to
// them. A press on a frame holds the pointer until the button is up: on the caption, the
// compositor moves the window; pressed and released over the close box, the window is asked to
// close. The pointer going onto a frame leaves the client area, as far as the client knows, and
// shows the arrow. The frame part of each window's record changes here only; the shell says
// when the window's role or title changed, the seat hands over the pointer's input.
class TWaylandWindowFrames {
 public:
  // A button or move of the pointer at `at` in the surface of the window it is over; the seat
  // and serial of a press let the compositor move the window.
  struct TPointerInput {
    TEventKind Kind = TEventKind::MouseMove;
    TPoint At;
    bool Left = false;         // the left button went down or up
    bool ButtonsDown = false;  // before this input
    wl_seat* Seat = nullptr;
    std::uint32_t Serial = 0;
  };
  // `cursorChanged` shows the cursor that Cursor() now gives for the window.
  TWaylandWindowFrames(std::deque<TWsEvent>& queue, std::function<void(const TWaylandWindow&)> cursorChanged)
      : FQueue(queue), FCursorChanged(std::move(cursorChanged)) {}

  // The frame that the program draws where the compositor draws none, after the window's role
  // or its configure changed; true when it came or went (the window's size limits follow).
  static bool Update(TWaylandWindow& window);
  static void SetTitle(TWaylandWindow& window, const char* title);

  // The pointer entered the window at `at`.
  void PointerEntered(const TWaylandWindow& window, TPoint at) { FInClient = InClient(window, at); }
  // The cursor the pointer shows over the window: the arrow on a frame.
  TCursor Cursor(const TWaylandWindow& window) const;
  // True when the input was the frame's, and the client hears nothing of it.
  bool Takes(TWaylandWindow& window, const TPointerInput& input);
  // The pointer left the window, told to the client where `clientHears`; while a frame held it,
  // the compositor took it to move the window.
  void PointerLeft(TWaylandWindow& window, bool clientHears);
  // Every button is up.
  void ButtonsUp() { FHeld = false; }

  // A window's frame when it is to be drawn anew: `copy` puts each edge of the picture into the
  // window's next commit.
  static void Paint(TWaylandWindow& window, const std::function<void(const TBitmap&, const TRect&)>& copy);

 private:
  // Whether a point of the window's surface is in its client area rather than on its frame.
  static bool InClient(const TWaylandWindow& window, TPoint at);
  void Press(TWaylandWindow& window, const TPointerInput& input);
  void Drag(TWaylandWindow& window, TPoint at);
  void Release(TWaylandWindow& window, TPoint at);
  void Post(TEventKind kind, TWindowHandle window);

  std::deque<TWsEvent>& FQueue;
  std::function<void(const TWaylandWindow&)> FCursorChanged;
  bool FHeld = false;     // by a press on a frame, until every button is up
  bool FInClient = true;  // the pointer is over the client area rather than a frame
};
