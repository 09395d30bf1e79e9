#pragma once
#include <vector>

#include "MenuItem.h"
#include "framework/ui/core/Form.h"

// The window a popup menu shows in: a framed column of its visible items, one of them
// highlighted under the pointer or by the arrow keys. While shown it has all the input of
// the display, so that a click elsewhere reaches it (and closes it).
class TPopupMenuWindow : public TForm {
 public:
  // Shows the items of a menu, which tells the window when it goes (Detach).
  explicit TPopupMenuWindow(TMenuItem& items);

  // Lays the menu's items out and shows them at (x, y) on the screen, or beside that point
  // where the screen ends there.
  void Open(int x, int y);
  // Hides the window without choosing.
  void CloseUp();
  // The menu is being destroyed: nothing is chosen from it any more.
  void Detach() { FItems = nullptr; }

  // The items shown, top to bottom, and where each is in the window.
  struct TLine {
    TMenuItem* Item;
    TRect Bounds;
  };
  const std::vector<TLine>& Lines() const { return FLines; }
  // The highlighted item, or null.
  TMenuItem* Highlighted() const;

  void Paint(TCanvas& canvas) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void KeyDown(unsigned& key, TShiftState shift) override;

 protected:
  void CreateParams(TWindowParams& params) const override;

 private:
  void Layout();
  int LineAt(int x, int y) const;
  void Highlight(int line);
  // The next line that can take the highlight from `from`, `step` lines at a time, round.
  int NextSelectable(int from, int step) const;
  void KeyOfItem(unsigned key);
  // Closes the menu, then runs the item of `line` when it is enabled.
  void Choose(int line);

  TMenuItem* FItems;
  std::vector<TLine> FLines;
  int FHighlighted = -1;
  int FShortCutColumn = 0;
};
