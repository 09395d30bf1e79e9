#include "StaticText.h"

#include "framework/base/StoreChanged.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/StylePainter.h"
#include "framework/graphics/TextPainter.h"

TStaticText::TStaticText(TComponent* owner) : TWinControl(owner) {
  FFont.Color = clBtnText;
  SetBounds(0, 0, 65, 17);
}

void TStaticText::SetCaption(const std::string& caption) {
  if (!StoreChanged(FCaption, caption)) return;
  AdjustSize();
  Invalidate();
}

void TStaticText::SetBorderStyle(TStaticBorderStyle style) {
  if (!StoreChanged(FBorderStyle, style)) return;
  AdjustSize();
  Invalidate();
}

void TStaticText::SetAutoSize(bool autoSize) {
  if (!StoreChanged(FAutoSize, autoSize)) return;
  AdjustSize();
}

void TStaticText::SetFont(const TFont& font) {
  if (!StoreChanged(FFont, font)) return;
  AdjustSize();
  Invalidate();
}

void TStaticText::SetColor(TColor color) {
  if (StoreChanged(FColor, color)) Invalidate();
}

int TStaticText::BorderWidth() const { return FBorderStyle == TStaticBorderStyle::sbsNone ? 0 : 1; }

void TStaticText::AdjustSize() {
  if (!FAutoSize) return;
  const TSize text = TTextPainter(FFont).Extent(FCaption);
  SetBounds(Left(), Top(), text.cx + 2 * BorderWidth(), text.cy + 2 * BorderWidth());
}

void TStaticText::Paint(TCanvas& canvas) {
  TRect inner = ClientRect();
  if (FBorderStyle != TStaticBorderStyle::sbsNone) {
    const bool sunken = FBorderStyle == TStaticBorderStyle::sbsSunken;
    inner = TStylePainter::DrawFrame(canvas, inner, sunken ? TFrameStyle::Sunken : TFrameStyle::Single);
  }
  canvas.Brush = {FColor, TBrushStyle::bsSolid};
  canvas.FillRect(inner);
  canvas.Font = FFont;
  canvas.SetClipRect(inner);
  TStylePainter::DrawCaption(canvas, {inner.Left, inner.Top}, FCaption, Enabled());
  canvas.ClearClipRect();
}
