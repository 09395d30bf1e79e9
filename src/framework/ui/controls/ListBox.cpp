#include "ListBox.h"

#include <algorithm>
#include <cctype>

#include "ScrollBar.h"
#include "framework/base/StoreChanged.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/StylePainter.h"
#include "framework/graphics/TextPainter.h"

namespace {

constexpr TFrameStyle kFrame = TFrameStyle::Field;
constexpr int kTextIndent = 2;
constexpr int kScrollBarWidth = 16;

}  // namespace

TListBox::TListBox(TComponent* owner) : TWinControl(owner), FScrollBar(new TScrollBar(this)) {
  TabStop = true;
  FScrollBar->SetKind(TScrollBarKind::sbVertical);
  FScrollBar->TabStop = false;
  FScrollBar->SetWidth(kScrollBarWidth);
  FScrollBar->SetAlign(TAlign::alRight);
  FScrollBar->SetParent(this);
  FScrollBar->OnChange = [this](TComponent*) { SetTopIndex(FScrollBar->Position()); };
  SetBounds(0, 0, 121, 97);
}

TRect TListBox::AlignRect() const { return TStylePainter::InnerRect(ClientRect(), kFrame); }

void TListBox::BoundsChanged() {
  TWinControl::BoundsChanged();
  UpdateScrollBar();
}

void TListBox::SetItems(std::vector<std::string> items) {
  FItems = std::move(items);
  FItemIndex = -1;
  FTopIndex = 0;
  UpdateScrollBar();
  Invalidate();
}

void TListBox::SetItemIndex(int index) {
  index = std::clamp(index, -1, static_cast<int>(FItems.size()) - 1);
  if (index >= 0 && index < FTopIndex) SetTopIndex(index);
  if (index >= 0 && index >= FTopIndex + PageSize()) SetTopIndex(index - PageSize() + 1);
  if (StoreChanged(FItemIndex, index)) Invalidate();
}

void TListBox::SetTopIndex(int index) {
  index = std::clamp(index, 0, std::max(static_cast<int>(FItems.size()) - PageSize(), 0));
  if (!StoreChanged(FTopIndex, index)) return;
  FScrollBar->SetPosition(index);
  Invalidate();
}

void TListBox::SetFont(const TFont& font) {
  if (!StoreChanged(FFont, font)) return;
  UpdateScrollBar();
  Invalidate();
}

int TListBox::ItemHeight() const { return TTextPainter(FFont).Extent("Ag").cy + 1; }

int TListBox::PageSize() const { return std::max(AlignRect().Height() / ItemHeight(), 1); }

TRect TListBox::ItemRect(int index) const {
  const TRect field = AlignRect();
  const int right = FScrollBar->Visible() ? FScrollBar->Left() : field.Right;
  const int height = ItemHeight();
  return {field.Left, field.Top + (index - FTopIndex) * height, right, field.Top + (index - FTopIndex + 1) * height};
}

int TListBox::ItemAtPos(int x, int y) const {
  if (!AlignRect().Contains(x, y)) return -1;
  const int index = FTopIndex + (y - AlignRect().Top) / ItemHeight();
  return index < static_cast<int>(FItems.size()) ? index : -1;
}

void TListBox::UpdateScrollBar() {
  const int hidden = static_cast<int>(FItems.size()) - PageSize();
  FScrollBar->SetVisible(hidden > 0);
  FScrollBar->SetParams(FTopIndex, 0, std::max(hidden, 0));
  FScrollBar->SetLargeChange(PageSize());
  SetTopIndex(FTopIndex);
}

void TListBox::SelectByUser(int index) {
  if (FItems.empty()) return;
  index = std::clamp(index, 0, static_cast<int>(FItems.size()) - 1);
  if (index == FItemIndex) return;
  SetItemIndex(index);
  Click();
}

int TListBox::NextStartingWith(unsigned key) const {
  const int count = static_cast<int>(FItems.size());
  for (int step = 1; step <= count; ++step) {
    const int index = (FItemIndex + step) % count;
    const std::string& item = FItems[static_cast<std::size_t>(index)];
    if (!item.empty() && static_cast<unsigned>(std::toupper(static_cast<unsigned char>(item[0]))) == key) return index;
  }
  return FItemIndex;
}

void TListBox::KeyDown(unsigned& key, TShiftState shift) {
  TWinControl::KeyDown(key, shift);
  switch (key) {
    case VK_UP: SelectByUser(FItemIndex - 1); break;
    case VK_DOWN: SelectByUser(FItemIndex + 1); break;
    case VK_PRIOR: SelectByUser(FItemIndex - PageSize() + 1); break;
    case VK_NEXT: SelectByUser(FItemIndex + PageSize() - 1); break;
    case VK_HOME: SelectByUser(0); break;
    case VK_END: SelectByUser(static_cast<int>(FItems.size()) - 1); break;
    default:
      if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
        SelectByUser(NextStartingWith(key));
        break;
      }
      return;
  }
  key = 0;
}

void TListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  SetFocus();
  const int index = ItemAtPos(x, y);
  if (button == TMouseButton::mbLeft && index >= 0) SetItemIndex(index);
  TWinControl::MouseDown(button, shift, x, y);
}

void TListBox::Paint(TCanvas& canvas) {
  const TRect field = TStylePainter::DrawFrame(canvas, ClientRect(), kFrame);
  canvas.Brush = {clWindow, TBrushStyle::bsSolid};
  canvas.FillRect(field);
  canvas.SetClipRect(field);
  canvas.Font = FFont;
  const int last = std::min(FTopIndex + PageSize() + 1, static_cast<int>(FItems.size()));
  for (int i = FTopIndex; i < last; ++i) {
    const TRect line = ItemRect(i);
    const bool selected = i == FItemIndex;
    if (selected) {
      canvas.Brush = {clHighlight, TBrushStyle::bsSolid};
      canvas.FillRect(line);
    }
    canvas.Font.Color = selected ? clHighlightText : clWindowText;
    TStylePainter::DrawCaption(canvas, {line.Left + kTextIndent, line.Top}, FItems[static_cast<std::size_t>(i)], true);
    if (selected && Focused()) TStylePainter::DrawFocusRect(canvas, line);
  }
  canvas.ClearClipRect();
}
