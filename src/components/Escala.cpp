#include "Escala.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "VekImage.h"
#include "framework/base/NumberPicture.h"
#include "framework/base/Saturate.h"
#include "framework/base/StoreChanged.h"
#include "framework/graphics/Canvas.h"
#include "vekutils/Vekutils.h"

namespace {

// The colour index of Maximum; Minimum's is 0.
constexpr int kTop = 510;

// From c2 at n = 0 to c1 at n = 510, each channel as two separately truncated quotients.
TColor Blend(TColor c1, TColor c2, int n) {
  if (n <= 0) return RGB(GetRValue(c2), GetGValue(c2), GetBValue(c2));
  if (n >= kTop) return RGB(GetRValue(c1), GetGValue(c1), GetBValue(c1));
  const auto mix = [n](int a, int b) { return (kTop - n) * b / kTop + n * a / kTop; };
  return RGB(mix(GetRValue(c1), GetRValue(c2)), mix(GetGValue(c1), GetGValue(c2)), mix(GetBValue(c1), GetBValue(c2)));
}

// Pure blue, through blue-green (n = 255) and green-yellow (n = 256), to pure red.
TColor Ramp(int n) {
  if (n <= 0) return RGB(0, 0, 255);
  if (n <= 255) return RGB(0, n * 150 / 255, 255 - n * 185 / 255);
  n = std::min(n, kTop) - 255;
  return RGB(70 + n * 185 / 255, 150 - n * 150 / 255, 0);
}

TAlign DockOf(TEscalaAlignment a) {
  switch (a) {
    case TEscalaAlignment::eaBottom: return TAlign::alBottom;
    case TEscalaAlignment::eaLeft: return TAlign::alLeft;
    case TEscalaAlignment::eaRight: return TAlign::alRight;
    case TEscalaAlignment::eaTop: return TAlign::alTop;
    default: return TAlign::alNone;
  }
}

// Margins and band widths beyond the largest automatic size could only push the band out of
// sight; refusing them keeps every sum of them far from overflowing.
bool AcceptablePixels(int v) { return v >= 0 && v <= TEscala::MaxAutoSize; }

}  // namespace

TEscala::TEscala(TComponent* owner) : TPnlImg(owner) {
  FDrawing = true;
  SetBevelInner(TBevelCut::bvNone);
  SetBevelOuter(TBevelCut::bvLowered);
  SetBevelWidth(1);
  TFont font = Font();
  font.Name = "Times new roman";
  font.SetSize(8);
  TCustomPanel::SetFont(font);
  SetCaption(" ");
  SetBounds(Left(), Top(), 48, 320);
  FDrawing = false;
  Draw();
}

// --- Setters ---

void TEscala::SetAutoSize(bool on) {
  if (StoreChanged(FAutoSize, on)) Draw();
}

void TEscala::SetBandWidth(int width) {
  if (AcceptablePixels(width) && StoreChanged(FBandWidth, width)) Draw();
}

void TEscala::SetFormat(const std::string& picture) {
  if (StoreChanged(FFormat, picture)) Draw();
}

void TEscala::SetGradColor1(TColor c) {
  if (StoreChanged(FGradColor1, c)) Draw();
}

void TEscala::SetGradColor2(TColor c) {
  if (StoreChanged(FGradColor2, c)) Draw();
}

void TEscala::SetInterval(double v) {
  if (!(v >= 0 && v < FMaximum - FMinimum)) return;
  if (StoreChanged(FInterval, v)) Draw();
}

void TEscala::SetMargin(int margin) {
  if (AcceptablePixels(margin) && StoreChanged(FMargin, margin)) Draw();
}

void TEscala::RangeChanged() {
  if (!(FMaximum - FMinimum > FInterval)) FInterval = 0;
  Draw();
}

void TEscala::SetMaximum(double v) {
  if (std::isfinite(v) && StoreChanged(FMaximum, v)) RangeChanged();
}

void TEscala::SetMinimum(double v) {
  if (std::isfinite(v) && StoreChanged(FMinimum, v)) RangeChanged();
}

void TEscala::SetMaxMin(double max, double min) {
  if (!(std::isfinite(max) && std::isfinite(min) && max > min)) return;
  if (max == FMaximum && min == FMinimum) return;
  FMaximum = max;
  FMinimum = min;
  RangeChanged();
}

void TEscala::SetTextInterval(int count) {
  if (StoreChanged(FTextInterval, count)) Draw();
}

void TEscala::SetAlignment(TEscalaAlignment alignment) {
  if (!StoreChanged(FAlignment, alignment)) return;
  SetAlign(DockOf(alignment));
  Draw();
}

void TEscala::SetGraduation(TEscalaGraduation graduation) {
  if (StoreChanged(FGraduation, graduation)) Draw();
}

void TEscala::SetOrientation(TEscalaOrientation orientation) {
  if (StoreChanged(FOrientation, orientation)) Draw();
}

void TEscala::SetPosition(TEscalaPosition position) {
  if (StoreChanged(FPosition, position)) Draw();
}

void TEscala::SetColor(TColor c) {
  if (c == Color()) return;
  TCustomPanel::SetColor(c);
  Draw();
}

void TEscala::SetFont(const TFont& font) {
  if (font == Font()) return;
  TCustomPanel::SetFont(font);
  Draw();
}

// --- Colours ---

int TEscala::ColorIndex(double v) const {
  if (v > FMaximum) v = FMaximum;
  if (v < FMinimum) v = FMinimum;
  if (FInterval > 0) {
    // Steps count from 0, not from Minimum, so a step may fall below Minimum.
    const double step = std::floor(v / FInterval) * FInterval;
    if (std::isfinite(step)) v = step;
  }
  const double range = FMaximum - FMinimum;
  if (!(range > 0)) return 0;
  return RoundToInt((v - FMinimum) * kTop / range);
}

TColor TEscala::ValueToColor(double v) const {
  const int n = ColorIndex(v);
  if (FGraduation == TEscalaGraduation::egThree) return Ramp(n);
  return Blend(ColorToRGB(FGradColor1), ColorToRGB(FGradColor2), n);
}

// --- Painting ---

void TEscala::SurfaceResized() {
  if (!FDrawing) Draw();
}

std::string TEscala::Label(double v) const { return FormatFloat(FFormat, v); }

TEscala::TLabelSize TEscala::MeasureLabels() {
  TCanvas& canvas = Image().Canvas();
  const TSize top = canvas.TextExtent(Label(FMaximum));
  const TSize bottom = canvas.TextExtent(Label(FMinimum));
  return {std::max(top.cx, bottom.cx), std::max(top.cy, bottom.cy)};
}

void TEscala::PlaceInParent() {
  if (!Parent()) return;
  const int left = (Parent()->Width() - Width()) / 2;
  const int top = (Parent()->Height() - Height()) / 2;
  switch (FAlignment) {
    case TEscalaAlignment::eaCentered: SetBounds(left, top, Width(), Height()); break;
    case TEscalaAlignment::eaHCentered: SetLeft(left); break;
    case TEscalaAlignment::eaVCentered: SetTop(top); break;
    default: break;
  }
}

void TEscala::ApplyAutoSize(const TLabelSize& labels) {
  const bool vertical = FOrientation == TEscalaOrientation::eoVertical;
  const long long fit = 3LL * FMargin + FBandWidth + (vertical ? labels.Width : labels.Height) + 5;
  const int size = static_cast<int>(std::clamp<long long>(fit, 0, MaxAutoSize));
  if (vertical) SetWidth(size);
  else SetHeight(size);
}

void TEscala::Draw() {
  TVekImage& image = Image();
  image.Resize();
  if (!(FMaximum > FMinimum)) return;
  const bool wasDrawing = FDrawing;
  FDrawing = true;
  if (FAlignment == TEscalaAlignment::eaTop || FAlignment == TEscalaAlignment::eaBottom)
    FOrientation = TEscalaOrientation::eoHorizontal;
  if (FAlignment == TEscalaAlignment::eaLeft || FAlignment == TEscalaAlignment::eaRight)
    FOrientation = TEscalaOrientation::eoVertical;
  TCanvas& canvas = image.Canvas();
  canvas.Font = Font();
  const TLabelSize labels = MeasureLabels();
  // The fitted size depends on the labels alone; the surface follows it through PanelResize.
  if (FAutoSize && image.Width() >= 5 && image.Height() >= 5) ApplyAutoSize(labels);
  PlaceInParent();
  image.Fill(Color());
  if (image.Width() >= 5 && image.Height() >= 5) {
    if (FOrientation == TEscalaOrientation::eoHorizontal) {
      PaintBandHorizontal(labels);
      PaintTextHorizontal();
    } else {
      PaintBandVertical(labels);
      PaintTextVertical(labels);
    }
  }
  FDrawing = wasDrawing;
  Repaint();
}

void TEscala::PaintBandHorizontal(const TLabelSize& labels) {
  TCanvas& canvas = Image().Canvas();
  const long long m = FMargin, n = Image().Width() - 2 * m;
  const long long y0 = FPosition == TEscalaPosition::epNormal ? m : m + labels.Height + 5;
  const long long y1 = y0 + FBandWidth;
  for (long long i = 0; i < n; ++i) {
    // A band one pixel long shows Minimum.
    const double v =
        n > 1 ? FMinimum + static_cast<double>(i) * (FMaximum - FMinimum) / static_cast<double>(n - 1) : FMinimum;
    canvas.Pen.Color = ValueToColor(v);
    canvas.MoveTo(SaturateToInt(m + i), SaturateToInt(y0));
    canvas.LineTo(SaturateToInt(m + i), SaturateToInt(y1));
  }
}

void TEscala::PaintBandVertical(const TLabelSize& labels) {
  TCanvas& canvas = Image().Canvas();
  const long long m = FMargin, n = Image().Height() - 2 * m;
  const long long x0 = FPosition == TEscalaPosition::epNormal ? m : m + labels.Width + 5;
  const long long x1 = x0 + FBandWidth;
  for (long long row = 0; row < n; ++row) {
    const double v =
        n > 1 ? FMinimum + static_cast<double>(n - row - 1) * (FMaximum - FMinimum) / static_cast<double>(n - 1)
              : FMinimum;
    canvas.Pen.Color = ValueToColor(v);
    canvas.MoveTo(SaturateToInt(x0), SaturateToInt(m + row));
    canvas.LineTo(SaturateToInt(x1), SaturateToInt(m + row));
  }
}

long long TEscala::LabelGaps(int extent) const {
  // One label a pixel at most, so that a huge count cannot stall a paint.
  return std::min<long long>(FTextInterval, std::max(extent, 0)) + 1;
}

void TEscala::PaintTextHorizontal() {
  if (FTextInterval < 0) return;
  TCanvas& canvas = Image().Canvas();
  const int w = Image().Width();
  const long long m = FMargin, xe = w - m;
  const long long y = FPosition == TEscalaPosition::epNormal ? m + FBandWidth + 5 : m;
  const long long gaps = LabelGaps(w);
  const double step = (FMaximum - FMinimum) / static_cast<double>(gaps);
  canvas.TextAlign = TA_CENTER | TA_TOP;
  for (long long i = 0; i <= gaps; ++i)
    canvas.TextOut(SaturateToInt(m + i * (xe - m) / gaps), SaturateToInt(y),
                   Label(FMinimum + static_cast<double>(i) * step));
}

void TEscala::PaintTextVertical(const TLabelSize& labels) {
  if (FTextInterval < 0) return;
  TCanvas& canvas = Image().Canvas();
  const int h = Image().Height();
  const long long m = FMargin;
  // The last label's bottom meets the band's bottom end.
  const long long ye = m + (h - 2 * m) - canvas.TextHeight("0");
  const long long x = labels.Width + m + (FPosition == TEscalaPosition::epNormal ? FBandWidth + 6 : 1);
  const long long gaps = LabelGaps(h);
  const double step = (FMaximum - FMinimum) / static_cast<double>(gaps);
  canvas.TextAlign = TA_RIGHT | TA_TOP;
  for (long long i = 0; i <= gaps; ++i)
    canvas.TextOut(SaturateToInt(x), SaturateToInt(m + i * (ye - m) / gaps),
                   Label(FMaximum - static_cast<double>(i) * step));
}

void TEscala::DrawMarkVertical(double v) {
  TVekImage& image = Image();
  TCanvas& canvas = image.Canvas();
  canvas.Font = Font();
  const int w = image.Width(), h = image.Height();
  const long long m = FMargin, n = h - 2 * m;
  const bool normal = FPosition == TEscalaPosition::epNormal;
  // The strip in the margin left of the band, or right of the band and its labels.
  const long long x1 = normal ? 1 : MeasureLabels().Width + m + FBandWidth + 7;
  const long long x2 = normal ? m - 2 : w - 1;
  canvas.Pen.Color = Color();
  canvas.Brush.Color = Color();
  // The two-pixel pen reaches one column beyond x2, which the erasing covers too.
  canvas.Rectangle(SaturateToInt(x1 - 1), 0, SaturateToInt(x2 + 2), h);
  if (!(v >= FMinimum && v <= FMaximum)) return;
  const double range = FMaximum - FMinimum;
  const double fraction = range > 0 ? (v - FMinimum) / range : 0;
  const long long y = h - m - RoundToLong(fraction * static_cast<double>(n));
  canvas.Pen.Width = 2;
  canvas.Pen.Color = clBlack;
  canvas.MoveTo(SaturateToInt(x1), SaturateToInt(y));
  canvas.LineTo(SaturateToInt(x2), SaturateToInt(y));
  canvas.Pen.Width = 1;
}
