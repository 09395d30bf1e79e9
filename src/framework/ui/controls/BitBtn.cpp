#include "BitBtn.h"

#include "framework/base/StoreChanged.h"
#include "framework/graphics/ButtonGlyphs.h"
#include "framework/graphics/StylePainter.h"

namespace {

constexpr int kSpacing = 4;     // between glyph and caption
constexpr int kFocusInset = 4;  // from the edge to the focus rectangle

struct TKindDefaults {
  const char* Caption;
  std::unique_ptr<TBitmap> (*Glyph)();
  TModalResult Result;
};

TKindDefaults DefaultsOf(TBitBtnKind kind) {
  if (kind == TBitBtnKind::bkOK) return {"OK", OkButtonGlyph, mrOk};
  return {"Cancel", CancelButtonGlyph, mrCancel};
}

}  // namespace

TBitBtn::TBitBtn(TComponent* owner) : TWinControl(owner) {
  TabStop = true;
  FFont.Color = clBtnText;
  SetBounds(0, 0, 75, 25);
}

void TBitBtn::SetKind(TBitBtnKind kind) {
  if (!StoreChanged(FKind, kind)) return;
  if (kind == TBitBtnKind::bkCustom) return;
  const TKindDefaults defaults = DefaultsOf(kind);
  FCaption = defaults.Caption;
  FGlyph.Assign(*defaults.Glyph());
  FGlyph.SetNumGlyphs(2);
  FModalResult = defaults.Result;
  FDefault = kind == TBitBtnKind::bkOK;
  FCancel = kind == TBitBtnKind::bkCancel;
  Invalidate();
}

void TBitBtn::SetCaption(const std::string& caption) {
  if (StoreChanged(FCaption, caption)) Invalidate();
}

void TBitBtn::SetGlyph(const TBitmap& glyph) {
  FGlyph.Assign(glyph);
  Invalidate();
}

void TBitBtn::SetNumGlyphs(int count) {
  if (count == FGlyph.NumGlyphs()) return;
  FGlyph.SetNumGlyphs(count);
  Invalidate();
}

void TBitBtn::SetFont(const TFont& font) {
  if (StoreChanged(FFont, font)) Invalidate();
}

void TBitBtn::Click() {
  auto* form = dynamic_cast<TForm*>(WindowParent());
  if (form && FModalResult != mrNone) form->SetModalResult(FModalResult);
  TWinControl::Click();
}

bool TBitBtn::DialogKey(unsigned key) {
  if (!(key == VK_RETURN && FDefault) && !(key == VK_ESCAPE && FCancel)) return false;
  Click();
  return true;
}

void TBitBtn::KeyDown(unsigned& key, TShiftState shift) {
  TWinControl::KeyDown(key, shift);
  if (key != VK_RETURN && key != VK_SPACE) return;
  key = 0;
  Click();
}

void TBitBtn::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TWinControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft) return;
  SetFocus();
  if (FPress.Down()) Invalidate();
}

void TBitBtn::MouseMove(TShiftState shift, int x, int y) {
  TWinControl::MouseMove(shift, x, y);
  if (FPress.Moved(ClientRect().Contains(x, y))) Invalidate();
}

void TBitBtn::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TWinControl::MouseUp(button, shift, x, y);
  if (FPress.Released()) Invalidate();
}

void TBitBtn::CaptureLost() {
  if (FPress.Released()) Invalidate();
}

void TBitBtn::FocusChanged() {
  if (FDefault) Invalidate();
}

bool TBitBtn::Framed() const {
  const auto* form = dynamic_cast<const TForm*>(WindowParent());
  const TWinControl* focused = form ? form->ActiveControl() : nullptr;
  return focused == this || (FDefault && !dynamic_cast<const TBitBtn*>(focused));
}

void TBitBtn::Paint(TCanvas& canvas) {
  const TFrameStyle style = FPress.Pressed() ? TFrameStyle::ButtonDown
                            : Framed()       ? TFrameStyle::DefaultButton
                                             : TFrameStyle::ButtonUp;
  const TRect face = TStylePainter::DrawFrame(canvas, ClientRect(), style);
  canvas.Brush = {clBtnFace, TBrushStyle::bsSolid};
  canvas.FillRect(face);
  PaintContent(canvas, face);
  if (Focused()) TStylePainter::DrawFocusRect(canvas, TStylePainter::Inset(ClientRect(), kFocusInset));
}

void TBitBtn::PaintContent(TCanvas& canvas, const TRect& face) {
  canvas.Font = FFont;
  const TSize glyph = FGlyph.ImageSize();
  const TSize text = FCaption.empty() ? TSize{} : canvas.TextExtent(FCaption);
  const int gap = glyph.cx > 0 && text.cx > 0 ? kSpacing : 0;
  const int shift = FPress.Pressed() ? 1 : 0;
  const int left = (Width() - glyph.cx - gap - text.cx) / 2 + shift;
  FGlyph.Draw(canvas, left, (Height() - glyph.cy) / 2 + shift, Enabled());
  canvas.SetClipRect(face);
  TStylePainter::DrawCaption(canvas, {left + glyph.cx + gap, (Height() - text.cy) / 2 + shift}, FCaption, Enabled());
  canvas.ClearClipRect();
}
