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
  // Where the window manager should place the window; `fixed` forbids resizing it.
  void SetPlacement(Window window, const TRect& bounds, bool fixed);

 private:
  void SetFrame(Window window, const TWindowParams& params);
  void EditStateProperty(Window window, Atom state, bool add);
  std::vector<Atom> StateProperty(Window window);
  void SendToRoot(Window window, Atom type, const long (&data)[5]);

  TX11Connection& FConnection;
};
