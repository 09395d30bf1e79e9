#include "VekProgress.h"

#include <algorithm>
#include <climits>
#include <string>

#include "VekImage.h"
#include "appkit/GradientFill.h"
#include "framework/base/Saturate.h"
#include "framework/base/StoreChanged.h"
#include "framework/graphics/Canvas.h"

namespace {

// How far beyond the surface a bar may reach in the arithmetic of drawing: further out, a
// gradient's visible part could not change any more.
constexpr long long kFarReach = 1 << 24;

}  // namespace

TVekProgress::TVekProgress(TComponent* owner) : TPnlImg(owner) {
  FFont.Name = "Times New Roman";
  FFont.SetSize(8);
  FFont.Style = TFontStyle::fsBold | TFontStyle::fsItalic;
  SetBounds(Left(), Top(), 200, 15);
  Draw();
}

void TVekProgress::SetBackColor(TColor c) {
  if (StoreChanged(FBackColor, c)) Draw();
}

void TVekProgress::SetColor1(TColor c) {
  if (StoreChanged(FColor1, c)) Draw();
}

void TVekProgress::SetColor2(TColor c) {
  if (StoreChanged(FColor2, c)) Draw();
}

void TVekProgress::SetFont(const TFont& font) {
  FFont = font;
  Draw();
}

void TVekProgress::SetIsTimer(bool on) {
  if (StoreChanged(FIsTimer, on)) Draw();
}

void TVekProgress::SetMax(int v) {
  if (v > FMin && StoreChanged(FMax, v)) Draw();
}

void TVekProgress::SetMin(int v) {
  if (v < FMax && StoreChanged(FMin, v)) Draw();
}

void TVekProgress::SetPosition(int v) {
  if (v == FPosition) return;
  FPosition = std::clamp(v, FMin, FMax);
  Draw();
}

void TVekProgress::SetShowValue(bool on) {
  if (StoreChanged(FShowValue, on)) Draw();
}

void TVekProgress::SetOrientation(TVekProgressOrientation orientation) {
  if (StoreChanged(FOrientation, orientation)) Draw();
}

void TVekProgress::StepIt(int n) {
  const long long next = FPosition + static_cast<long long>(n) * (FIsTimer ? FStepSign : 1);
  if (FIsTimer) {
    if (next >= FMax) FStepSign = -1;
    else if (next <= FMin) FStepSign = 1;
    FPosition = SaturateToInt(next);
  } else {
    FPosition = static_cast<int>(std::clamp<long long>(next, FMin, FMax));
  }
  Draw();
}

long long TVekProgress::Percent() const { return FMax == 0 ? 0 : FPosition * 100LL / FMax; }

int TVekProgress::Reach(int length) const {
  const long long reach = (static_cast<long long>(FPosition) - FMin) * length / (static_cast<long long>(FMax) - FMin);
  return static_cast<int>(std::clamp(reach, -kFarReach, kFarReach));
}

void TVekProgress::Draw() {
  if (FOrientation == TVekProgressOrientation::vpoHorizontal) DrawHorizontal();
  else DrawVertical();
  if (FShowValue) DrawValue();
  Image().Repaint();
}

void TVekProgress::DrawHorizontal() {
  TCanvas& canvas = Image().Canvas();
  const int w = Image().Width(), h = Image().Height();
  const int p = Reach(w);
  if (p > 0) GradientFillRect(canvas, {0, 0, p, h}, FColor1, FColor2, TFillDirection::fdLeftToRight, FColors);
  if (p >= w) return;
  if (FIsTimer) {
    GradientFillRect(canvas, {p, 0, w, h}, FColor2, FColor1, TFillDirection::fdLeftToRight, FColors);
  } else {
    canvas.Brush.Color = FBackColor;
    canvas.FillRect({p, 0, w, h});
  }
}

void TVekProgress::DrawVertical() {
  TCanvas& canvas = Image().Canvas();
  const int w = Image().Width(), h = Image().Height();
  const int p = Reach(h);
  if (FIsTimer) {
    // The peak in Color2 lies at y = h - p.
    if (h > p) GradientFillRect(canvas, {0, 0, w, h - p}, FColor1, FColor2, TFillDirection::fdTopToBottom, FColors);
    if (p > 0) GradientFillRect(canvas, {0, h - p, w, h}, FColor2, FColor1, TFillDirection::fdTopToBottom, FColors);
    return;
  }
  if (p > 0) GradientFillRect(canvas, {0, h - p, w, h}, FColor1, FColor2, TFillDirection::fdBottomToTop, FColors);
  if (p < h) {
    canvas.Brush.Color = FBackColor;
    canvas.FillRect({0, 0, w, h - p});
  }
}

void TVekProgress::DrawValue() {
  TVekImage& image = Image();
  TCanvas& canvas = image.Canvas();
  canvas.Font = FFont;
  const std::string text = std::to_string(Percent()) + " %";
  const TSize size = canvas.TextExtent(text);
  image.TextOutInv((image.Width() - size.cx) / 2, (image.Height() - size.cy) / 2, text);
}
