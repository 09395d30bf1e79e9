#pragma once
#include <string>
#include <vector>

#include "framework/graphics/Font.h"
#include "framework/ui/core/WinControl.h"

class TScrollBar;

// A column of text lines in a sunken field, one of them selected, with a vertical scroll
// bar while they do not all fit. A press selects a line; Up, Down, Page Up, Page Down,
// Home and End move the selection, a letter to the next line that begins with it. Every
// change of the selection by the user raises OnClick; a double click OnDblClick.
class TListBox : public TWinControl {
 public:
  explicit TListBox(TComponent* owner);

  const std::vector<std::string>& Items() const { return FItems; }
  // Replaces the lines; nothing is selected afterwards and the first line is at the top.
  void SetItems(std::vector<std::string> items);
  // The selected line, -1 for none. Setting it scrolls the line into view.
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int index);
  // The line at the top of the field.
  int TopIndex() const { return FTopIndex; }
  void SetTopIndex(int index);
  const TFont& Font() const { return FFont; }
  void SetFont(const TFont& font);

  int ItemHeight() const;
  // Where line `index` is, in the control's coordinates (outside the field when scrolled away).
  TRect ItemRect(int index) const;
  // The line at (x, y), or -1.
  int ItemAtPos(int x, int y) const;

  TRect AlignRect() const override;
  void KeyDown(unsigned& key, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void Paint(TCanvas& canvas) override;

 protected:
  void BoundsChanged() override;

 private:
  // How many whole lines the field shows.
  int PageSize() const;
  void UpdateScrollBar();
  // Selects `index` (clamped) as the user did: raises OnClick when it changed.
  void SelectByUser(int index);
  int NextStartingWith(unsigned key) const;

  std::vector<std::string> FItems;
  int FItemIndex = -1;
  int FTopIndex = 0;
  TFont FFont;
  TScrollBar* FScrollBar;
};
