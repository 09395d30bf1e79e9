#pragma once
#include <cstddef>
#include <string>

#include "EditLine.h"
#include "framework/graphics/Font.h"
#include "framework/ui/core/WinControl.h"

// A one-line text field in a sunken frame. It takes the keyboard: typed characters go in
// at the caret (in place of the selection), Left, Right, Home and End move it (with Shift
// they select), Backspace and Delete erase, Ctrl+A selects everything. A press places the
// caret, a drag selects. The text scrolls sideways to keep the caret in view.
class TEdit : public TWinControl {
 public:
  explicit TEdit(TComponent* owner);

  const std::string& Text() const { return FLine.Text(); }
  // Replaces the text (the caret at its end) and raises OnChange when it differs.
  void SetText(const std::string& text);
  const TFont& Font() const { return FFont; }
  void SetFont(const TFont& font);
  const TEditLine& Line() const { return FLine; }
  void SelectAll();

  // Raised whenever the text changes, by the user or by program.
  TNotifyEvent OnChange;

  void KeyDown(unsigned& key, TShiftState shift) override;
  void KeyPress(char32_t& ch) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void CaptureLost() override { FSelecting = false; }
  void Paint(TCanvas& canvas) override;

 private:
  TRect TextRect() const;
  // The width of the text's first `bytes` bytes in the font.
  int PrefixWidth(std::size_t bytes) const;
  // The character boundary nearest to x (control coordinates).
  std::size_t OffsetAt(int x) const;
  // Scrolls so that the caret shows, and repaints.
  void CaretMoved();
  void TextChanged();
  void PaintRun(TCanvas& canvas, std::size_t from, std::size_t to, bool selected) const;

  TEditLine FLine;
  TFont FFont;
  int FScroll = 0;  // pixels of the text scrolled out at the left
  bool FSelecting = false;
};
