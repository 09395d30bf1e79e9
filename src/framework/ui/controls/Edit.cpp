#include "Edit.h"

#include <algorithm>

#include "framework/base/StoreChanged.h"
#include "framework/base/Utf8.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/StylePainter.h"
#include "framework/graphics/TextPainter.h"

namespace {

constexpr TFrameStyle kFrame = TFrameStyle::Field;
constexpr int kMargin = 1;  // between the frame and the text

}  // namespace

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
  TabStop = true;
  SetCursor(crIBeam);
  SetBounds(0, 0, 121, 21);
}

void TEdit::SetText(const std::string& text) {
  if (text == FLine.Text()) return;
  FLine.SetText(text);
  TextChanged();
}

void TEdit::SetFont(const TFont& font) {
  if (StoreChanged(FFont, font)) CaretMoved();
}

void TEdit::SelectAll() {
  FLine.SelectAll();
  CaretMoved();
}

TRect TEdit::TextRect() const { return TStylePainter::Inset(TStylePainter::InnerRect(ClientRect(), kFrame), kMargin); }

int TEdit::PrefixWidth(std::size_t bytes) const { return TTextPainter(FFont).Extent(FLine.Text().substr(0, bytes)).cx; }

std::size_t TEdit::OffsetAt(int x) const {
  const int inText = x - TextRect().Left + FScroll;
  const std::string& text = FLine.Text();
  std::size_t best = 0;
  int bestDistance = std::abs(inText);
  for (std::size_t at = 0; at < text.size();) {
    NextCodePoint(text, at);
    const int distance = std::abs(PrefixWidth(at) - inText);
    if (distance < bestDistance) {
      best = at;
      bestDistance = distance;
    }
  }
  return best;
}

void TEdit::CaretMoved() {
  const int caret = PrefixWidth(FLine.Caret());
  const int width = std::max(TextRect().Width() - 1, 0);
  if (caret - FScroll > width) FScroll = caret - width;
  if (caret < FScroll) FScroll = caret;
  Invalidate();
}

void TEdit::TextChanged() {
  CaretMoved();
  if (OnChange) OnChange(this);
}

void TEdit::KeyDown(unsigned& key, TShiftState shift) {
  TWinControl::KeyDown(key, shift);
  const bool extend = (shift & ssShift) != 0;
  switch (key) {
    case VK_LEFT: FLine.Left(extend); break;
    case VK_RIGHT: FLine.Right(extend); break;
    case VK_HOME: FLine.MoveTo(0, extend); break;
    case VK_END: FLine.MoveTo(FLine.Text().size(), extend); break;
    case VK_BACK:
      if (FLine.Backspace()) TextChanged();
      break;
    case VK_DELETE:
      if (FLine.Delete()) TextChanged();
      break;
    case 'A':
      if (!(shift & ssCtrl)) return;
      FLine.SelectAll();
      break;
    default: return;
  }
  key = 0;
  CaretMoved();
}

void TEdit::KeyPress(char32_t& ch) {
  TWinControl::KeyPress(ch);
  if (ch < 0x20 || ch == 0x7F) return;
  FLine.Insert(EncodeUtf8(ch));
  TextChanged();
}

void TEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TWinControl::MouseDown(button, shift, x, y);
  SetFocus();
  if (button != TMouseButton::mbLeft) return;
  FSelecting = true;
  FLine.MoveTo(OffsetAt(x), (shift & ssShift) != 0);
  CaretMoved();
}

void TEdit::MouseMove(TShiftState shift, int x, int y) {
  TWinControl::MouseMove(shift, x, y);
  if (!FSelecting) return;
  FLine.MoveTo(OffsetAt(x), true);
  CaretMoved();
}

void TEdit::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TWinControl::MouseUp(button, shift, x, y);
  FSelecting = false;
}

void TEdit::Paint(TCanvas& canvas) {
  const TRect inner = TStylePainter::DrawFrame(canvas, ClientRect(), kFrame);
  canvas.Brush = {Enabled() ? clWindow : clBtnFace, TBrushStyle::bsSolid};
  canvas.FillRect(inner);
  canvas.Font = FFont;
  const TRect text = TextRect();
  canvas.SetClipRect(text);
  // The selection shows while the field has the keyboard.
  const bool focused = Focused();
  const std::size_t start = focused ? FLine.SelStart() : 0;
  const std::size_t end = focused ? FLine.SelEnd() : 0;
  PaintRun(canvas, 0, start, false);
  PaintRun(canvas, start, end, true);
  PaintRun(canvas, end, FLine.Text().size(), false);
  if (focused) {
    const int x = text.Left + PrefixWidth(FLine.Caret()) - FScroll;
    canvas.Brush.Color = clWindowText;
    canvas.FillRect({x, text.Top, x + 1, text.Bottom});
  }
  canvas.ClearClipRect();
}

void TEdit::PaintRun(TCanvas& canvas, std::size_t from, std::size_t to, bool selected) const {
  if (from >= to) return;
  const TRect text = TextRect();
  const int left = text.Left + PrefixWidth(from) - FScroll;
  const int right = text.Left + PrefixWidth(to) - FScroll;
  if (selected) {
    canvas.Brush = {clHighlight, TBrushStyle::bsSolid};
    canvas.FillRect({left, text.Top, right, text.Bottom});
  }
  canvas.Font.Color = selected ? clHighlightText : Enabled() ? clWindowText : clGrayText;
  canvas.BkMode = TBkMode::Transparent;
  canvas.TextAlign = TA_LEFT | TA_TOP;
  const int top = text.Top + (text.Height() - canvas.TextHeight("Ag")) / 2;
  canvas.TextOut(left, top, FLine.Text().substr(from, to - from));
}
