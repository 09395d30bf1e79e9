#pragma once
#include "X11Api.h"

#include <string>
#include <vector>

#include "X11Connection.h"
#include "framework/platform/WindowSystem.h"

// What a window manager is told about our top-level windows: title, frame (Motif hints),
// fixed size of dialogs, states (_NET_WM_STATE), ownership and activation requests.
class TX11WindowManagerHints {
 public:
  explicit TX11WindowManagerHints(TX11Connection& connection) : FConnection(connection) {}

  // Everything a new top-level window carries before it is first mapped.
  void Apply(Window window, const TWindowParams& params);
  void SetCaption(Window window, const std::string& caption);
  void RequestActivation(Window window);
  // Asks the window manager to tell the widths of the frame it will give the window
  // (_NET_FRAME_EXTENTS), before the window is mapped.
  void RequestFrameExtents(Window window);
  // The frame's left, top, right and bottom widths as the window manager last told them.
  bool FrameExtents(Window window, TRect& extents);
  // Where the window manager should place the window (the position is the client area's,
  // not its frame's); `fixed` forbids resizing it, `minSize` (where not 0) resizing it smaller.
  void SetPlacement(Window window, const TRect& bounds, bool fixed, TSize minSize);

 private:
  void SetFrame(Window window, const TWindowParams& params);
  // One more state in the window's _NET_WM_STATE list.
  void AddState(Window window, Atom state);
  void SendToRoot(Window window, Atom type, const long (&data)[5]);

  TX11Connection& FConnection;
};
