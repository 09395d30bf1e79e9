#include "SpeedButton.h"

#include "framework/base/StoreChanged.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/StylePainter.h"
#include "framework/ui/core/WinControl.h"

namespace {

constexpr int kSpacing = 4;  // between glyph and caption

}  // namespace

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
  FFont.Color = clBtnText;
  SetBounds(0, 0, 23, 22);
}

void TSpeedButton::SetFlat(bool flat) {
  if (StoreChanged(FFlat, flat)) Invalidate();
}

void TSpeedButton::SetGroupIndex(int index) {
  if (!StoreChanged(FGroupIndex, index)) return;
  if (FDown) ReleaseGroup();
}

void TSpeedButton::SetDown(bool down) {
  // Only a grouped button goes down, and the one down in a group stays so until another goes down.
  if (!down || FGroupIndex == 0 || FDown) return;
  FDown = true;
  ReleaseGroup();
  Invalidate();
}

void TSpeedButton::ReleaseGroup() {
  if (!Parent() || FGroupIndex == 0) return;
  for (TControl* sibling : Parent()->Controls()) {
    auto* button = dynamic_cast<TSpeedButton*>(sibling);
    if (!button || button == this || button->FGroupIndex != FGroupIndex || !button->FDown) continue;
    button->FDown = false;
    button->Invalidate();
  }
}

void TSpeedButton::SetGlyph(const TBitmap& glyph) {
  FGlyph.Assign(glyph);
  Invalidate();
}

void TSpeedButton::SetNumGlyphs(int count) {
  if (count == FGlyph.NumGlyphs()) return;
  FGlyph.SetNumGlyphs(count);
  Invalidate();
}

void TSpeedButton::SetMargin(int margin) {
  if (StoreChanged(FMargin, margin)) Invalidate();
}

void TSpeedButton::SetCaption(const std::string& caption) {
  if (StoreChanged(FCaption, caption)) Invalidate();
}

void TSpeedButton::SetFont(const TFont& font) {
  if (StoreChanged(FFont, font)) Invalidate();
}

void TSpeedButton::Click() {
  if (FGroupIndex != 0) SetDown(!FDown);
  TGraphicControl::Click();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft) return;
  if (FPress.Down()) Invalidate();
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (FPress.Moved(ClientRect().Contains(x, y))) Invalidate();
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (FPress.Released()) Invalidate();
}

void TSpeedButton::CaptureLost() {
  if (FPress.Released()) Invalidate();
}

void TSpeedButton::MouseEnter() {
  FMouseInControl = true;
  if (FFlat) Invalidate();
}

void TSpeedButton::MouseLeave() {
  FMouseInControl = false;
  if (FFlat) Invalidate();
}

void TSpeedButton::Paint(TCanvas& canvas) {
  PaintFrame(canvas);
  PaintContent(canvas);
}

void TSpeedButton::PaintFrame(TCanvas& canvas) const {
  const bool sunken = FPress.Pressed() || FDown;
  if (!FFlat) {
    const TRect face =
        TStylePainter::DrawFrame(canvas, ClientRect(), sunken ? TFrameStyle::ButtonDown : TFrameStyle::ButtonUp);
    canvas.Brush = {clBtnFace, TBrushStyle::bsSolid};
    canvas.FillRect(face);
  } else if (sunken) {
    TStylePainter::DrawFrame(canvas, ClientRect(), TFrameStyle::Sunken);
  } else if (FMouseInControl && Enabled()) {
    TStylePainter::DrawFrame(canvas, ClientRect(), TFrameStyle::Raised);
  }
}

void TSpeedButton::PaintContent(TCanvas& canvas) const {
  canvas.Font = FFont;
  const TSize glyph = FGlyph.ImageSize();
  const TSize text = FCaption.empty() ? TSize{} : canvas.TextExtent(FCaption);
  const int gap = glyph.cx > 0 && text.cx > 0 ? kSpacing : 0;
  const int shift = FPress.Pressed() || FDown ? 1 : 0;
  const int left = (FMargin >= 0 ? FMargin : (Width() - glyph.cx - gap - text.cx) / 2) + shift;
  FGlyph.Draw(canvas, left, (Height() - glyph.cy) / 2 + shift, Enabled());
  TStylePainter::DrawCaption(canvas, {left + glyph.cx + gap, (Height() - text.cy) / 2 + shift}, FCaption, Enabled());
}
