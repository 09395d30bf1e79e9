#include "PopupMenuWindow.h"

#include <algorithm>

#include "MenuLinePainter.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/StylePainter.h"

namespace {

constexpr TFrameStyle kFrame = TFrameStyle::ButtonUp;
// Between the frame and the lines, in the menu's colour.
constexpr int kPadding = 1;

int FrameWidth() { return static_cast<int>(TStylePainter::Rings(kFrame).size()) + kPadding; }

// Where a menu of `size` goes for the point `at`: to the right of it and below, or to the
// left or above where the screen ends; never off the screen's top-left.
TPoint Placement(TPoint at, TSize size, TSize screen) {
  const int x = at.X + size.cx <= screen.cx ? at.X : at.X - size.cx;
  const int y = at.Y + size.cy <= screen.cy ? at.Y : at.Y - size.cy;
  return {std::max(x, 0), std::max(y, 0)};
}

}  // namespace

TPopupMenuWindow::TPopupMenuWindow(TMenuItem& items) : TForm(nullptr), FItems(&items) {
  BorderStyle = TBorderStyle::bsNone;
  Color = clMenu;
}

void TPopupMenuWindow::CreateParams(TWindowParams& params) const { params.Popup = true; }

void TPopupMenuWindow::Open(int x, int y) {
  if (!FItems) return;
  Layout();
  FHighlighted = -1;
  const TPoint at = Placement({x, y}, {Width(), Height()}, ScreenSize());
  SetBounds(at.X, at.Y, Width(), Height());
  InvalidateWindowArea(ClientRect());
  Show();
}

void TPopupMenuWindow::Layout() {
  TBitmap scratch(1, 1);
  TCanvas& canvas = scratch.Canvas();
  canvas.Font = Font;
  const int frame = FrameWidth();
  const int itemHeight = MenuLine::ItemHeight(canvas);
  int captions = 0;
  int shortCuts = 0;
  int y = frame;
  FLines.clear();
  TMenuItem& items = *FItems;
  for (int i = 0; i < items.Count(); ++i) {
    TMenuItem* item = items.Items(i);
    if (!item->Visible) continue;
    const int height = item->IsLine() ? MenuLine::SeparatorHeight : itemHeight;
    FLines.push_back({item, {frame, y, 0, y + height}});
    y += height;
    captions = std::max(captions, MenuLine::CaptionWidth(canvas, *item));
    shortCuts = std::max(shortCuts, MenuLine::ShortCutWidth(canvas, *item));
  }
  const int inner =
      MenuLine::CheckColumn + captions + (shortCuts ? MenuLine::ColumnGap + shortCuts : 0) + MenuLine::ArrowColumn;
  for (TLine& line : FLines) line.Bounds.Right = frame + inner;
  FShortCutColumn = frame + inner - MenuLine::ArrowColumn;
  SetBounds(Left(), Top(), inner + 2 * frame, y + frame);
}

void TPopupMenuWindow::Paint(TCanvas& canvas) {
  TForm::Paint(canvas);
  TStylePainter::DrawFrame(canvas, ClientRect(), kFrame);
  canvas.Font = Font;
  for (std::size_t i = 0; i < FLines.size(); ++i)
    MenuLine::Paint(canvas, *FLines[i].Item, FLines[i].Bounds, static_cast<int>(i) == FHighlighted, FShortCutColumn);
}

TMenuItem* TPopupMenuWindow::Highlighted() const {
  return FHighlighted < 0 ? nullptr : FLines[static_cast<std::size_t>(FHighlighted)].Item;
}

int TPopupMenuWindow::LineAt(int x, int y) const {
  for (std::size_t i = 0; i < FLines.size(); ++i)
    if (FLines[i].Bounds.Contains(x, y) && !FLines[i].Item->IsLine()) return static_cast<int>(i);
  return -1;
}

void TPopupMenuWindow::Highlight(int line) {
  if (line == FHighlighted) return;
  for (int changed : {FHighlighted, line})
    if (changed >= 0) InvalidateWindowArea(FLines[static_cast<std::size_t>(changed)].Bounds);
  FHighlighted = line;
}

void TPopupMenuWindow::MouseDown(TMouseButton, TShiftState, int x, int y) {
  // A press outside the menu closes it; the press goes nowhere else.
  if (!ClientRect().Contains(x, y)) CloseUp();
}

void TPopupMenuWindow::MouseMove(TShiftState, int x, int y) { Highlight(LineAt(x, y)); }

void TPopupMenuWindow::MouseUp(TMouseButton, TShiftState, int x, int y) {
  const int line = LineAt(x, y);
  if (line >= 0 && FLines[static_cast<std::size_t>(line)].Item->Enabled) Choose(line);
}

void TPopupMenuWindow::KeyDown(unsigned& key, TShiftState) {
  const int count = static_cast<int>(FLines.size());
  switch (key) {
    case VK_DOWN: Highlight(NextSelectable(FHighlighted < 0 ? -1 : FHighlighted, 1)); break;
    case VK_UP: Highlight(NextSelectable(FHighlighted < 0 ? count : FHighlighted, -1)); break;
    case VK_HOME: Highlight(NextSelectable(-1, 1)); break;
    case VK_END: Highlight(NextSelectable(count, -1)); break;
    case VK_ESCAPE: CloseUp(); break;
    case VK_RETURN:
    case VK_SPACE:
      if (const TMenuItem* item = Highlighted(); item && item->Enabled) Choose(FHighlighted);
      break;
    default: KeyOfItem(key); break;
  }
  key = 0;
}

int TPopupMenuWindow::NextSelectable(int from, int step) const {
  const int count = static_cast<int>(FLines.size());
  for (int i = 1; i <= count; ++i) {
    const int line = ((from + step * i) % count + count) % count;
    if (!FLines[static_cast<std::size_t>(line)].Item->IsLine()) return line;
  }
  return -1;
}

// The one item marked with the key is chosen (or only highlighted while disabled); where
// several are, the highlight goes to the next of them.
void TPopupMenuWindow::KeyOfItem(unsigned key) {
  if (key == 0) return;
  std::vector<int> marked;
  for (std::size_t i = 0; i < FLines.size(); ++i)
    if (!FLines[i].Item->IsLine() && ParseMenuCaption(FLines[i].Item->Caption).Key == key)
      marked.push_back(static_cast<int>(i));
  if (marked.empty()) return;
  if (marked.size() > 1) {
    const auto next = std::upper_bound(marked.begin(), marked.end(), FHighlighted);
    return Highlight(next == marked.end() ? marked.front() : *next);
  }
  Highlight(marked.front());
  if (FLines[static_cast<std::size_t>(marked.front())].Item->Enabled) Choose(marked.front());
}

void TPopupMenuWindow::CloseUp() {
  FHighlighted = -1;
  Hide();
}

// The menu closes before the item runs, so that a dialog the item opens comes up with the
// display's input free. Nothing of this window is touched after the item has run: it may
// have destroyed the menu.
void TPopupMenuWindow::Choose(int line) {
  TMenuItem* item = FLines[static_cast<std::size_t>(line)].Item;
  CloseUp();
  if (FItems) item->Click();
}
