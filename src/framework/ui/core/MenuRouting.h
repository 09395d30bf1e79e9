#pragma once
#include <functional>

#include "framework/base/Types.h"
#include "framework/platform/Input.h"

class TControl;
class TForm;
class TWinControl;

// The input routing opens a control's popup menu on a right click and gives the menus' shortcuts
// a key before the focused control, but the menus sit above the runtime. The menus install these
// when the program makes its first one; until then a right click and a key reach no menu.
struct TMenuRouting {
  // Opens the popup menu of `target` or of its nearest parent that names one; `at` is in the
  // target's client coordinates.
  std::function<void(TControl& target, TPoint at)> OpenContextMenu;
  // Runs the menu item that has the key as its shortcut; false when none has.
  std::function<bool(TForm& form, TWinControl* focused, unsigned key, TShiftState shift)> RunShortCut;
};

TMenuRouting& MenuRouting();
