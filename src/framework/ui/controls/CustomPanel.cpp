#include "CustomPanel.h"

#include "framework/base/StoreChanged.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/StylePainter.h"

namespace {

int Thickness(TBevelCut bevel, int width) { return bevel == TBevelCut::bvNone ? 0 : width; }

// Draws `bevel` `width` rings deep inside `bounds`; returns what it leaves inside.
TRect DrawBevel(TCanvas& canvas, const TRect& bounds, TBevelCut bevel, int width) {
  if (bevel == TBevelCut::bvNone) return bounds;
  const TFrameStyle style = bevel == TBevelCut::bvRaised ? TFrameStyle::Raised : TFrameStyle::Sunken;
  TRect inner = bounds;
  for (int ring = 0; ring < width; ++ring) inner = TStylePainter::DrawFrame(canvas, inner, style);
  return inner;
}

}  // namespace

TCustomPanel::TCustomPanel(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 185, 41); }

void TCustomPanel::SetBevelInner(TBevelCut bevel) {
  if (!StoreChanged(FBevelInner, bevel)) return;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut bevel) {
  if (!StoreChanged(FBevelOuter, bevel)) return;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelWidth(int width) {
  if (width < 1) width = 1;
  if (width == FBevelWidth) return;
  FBevelWidth = width;
  Realign();
  Invalidate();
}

void TCustomPanel::SetColor(TColor color) {
  if (StoreChanged(FColor, color)) Invalidate();
}

void TCustomPanel::SetCaption(const std::string& caption) {
  if (StoreChanged(FCaption, caption)) Invalidate();
}

void TCustomPanel::SetFont(const TFont& font) {
  if (StoreChanged(FFont, font)) Invalidate();
}

TRect TCustomPanel::AlignRect() const {
  return TStylePainter::Inset(ClientRect(), Thickness(FBevelOuter, FBevelWidth) + Thickness(FBevelInner, FBevelWidth));
}

void TCustomPanel::Paint(TCanvas& canvas) {
  TRect face = DrawBevel(canvas, ClientRect(), FBevelOuter, FBevelWidth);
  face = DrawBevel(canvas, face, FBevelInner, FBevelWidth);
  canvas.Brush = {FColor, TBrushStyle::bsSolid};
  canvas.FillRect(face);
  if (FCaption.empty()) return;
  canvas.Font = FFont;
  canvas.BkMode = TBkMode::Transparent;
  const TSize text = canvas.TextExtent(FCaption);
  canvas.TextRect(face, (Width() - text.cx) / 2, (Height() - text.cy) / 2, FCaption);
}

void TCustomPanel::BoundsChanged() {
  TWinControl::BoundsChanged();
  if (Width() == FNotifiedWidth && Height() == FNotifiedHeight) return;
  FNotifiedWidth = Width();
  FNotifiedHeight = Height();
  if (OnResize) OnResize(this);
}
