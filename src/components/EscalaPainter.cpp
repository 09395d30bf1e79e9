#include "EscalaPainter.h"

#include <algorithm>

#include "VekImage.h"
#include "framework/base/NumberPicture.h"
#include "framework/base/Saturate.h"
#include "framework/graphics/Canvas.h"
#include "vekutils/Vekutils.h"

TCanvas& TEscalaPainter::Canvas() const { return FSurface.Canvas(); }

std::string TEscalaPainter::Label(double v) const { return FormatFloat(Format, v); }

TEscalaPainter::TLabelSize TEscalaPainter::MeasureLabels() const {
  TCanvas& canvas = Canvas();
  const TSize top = canvas.TextExtent(Label(FModel.Maximum()));
  const TSize bottom = canvas.TextExtent(Label(FModel.Minimum()));
  return {std::max(top.cx, bottom.cx), std::max(top.cy, bottom.cy)};
}

long long TEscalaPainter::PaintedMargin() const { return std::max(Margin, 0); }
long long TEscalaPainter::PaintedBandWidth() const { return std::max(BandWidth, 0); }

long long TEscalaPainter::FittedSize(TEscalaOrientation orientation, const TLabelSize& labels) const {
  const bool vertical = orientation == TEscalaOrientation::eoVertical;
  return 3 * PaintedMargin() + PaintedBandWidth() + (vertical ? labels.Width : labels.Height) + 5;
}

void TEscalaPainter::PaintHorizontal() {
  PaintBandHorizontal(MeasureLabels());
  PaintTextHorizontal();
}

void TEscalaPainter::PaintVertical() {
  const TLabelSize labels = MeasureLabels();
  PaintBandVertical(labels);
  PaintTextVertical(labels);
}

// The value of line `step` of a band of n lines, Minimum at step 0. A band one line long
// shows Minimum.
double TEscalaPainter::BandValue(long long step, long long n) const {
  const double min = FModel.Minimum(), max = FModel.Maximum();
  return n > 1 ? min + static_cast<double>(step) * (max - min) / static_cast<double>(n - 1) : min;
}

void TEscalaPainter::PaintBandHorizontal(const TLabelSize& labels) {
  TCanvas& canvas = Canvas();
  const long long m = PaintedMargin(), n = FSurface.Width() - 2 * m;
  const long long y0 = Position == TEscalaPosition::epNormal ? m : m + labels.Height + 5;
  const long long y1 = y0 + PaintedBandWidth();
  for (long long i = 0; i < n; ++i) {
    canvas.Pen.Color = FModel.ValueToColor(BandValue(i, n));
    canvas.MoveTo(SaturateToInt(m + i), SaturateToInt(y0));
    canvas.LineTo(SaturateToInt(m + i), SaturateToInt(y1));
  }
}

void TEscalaPainter::PaintBandVertical(const TLabelSize& labels) {
  TCanvas& canvas = Canvas();
  const long long m = PaintedMargin(), n = FSurface.Height() - 2 * m;
  const long long x0 = Position == TEscalaPosition::epNormal ? m : m + labels.Width + 5;
  const long long x1 = x0 + PaintedBandWidth();
  for (long long row = 0; row < n; ++row) {
    // Maximum at the top.
    canvas.Pen.Color = FModel.ValueToColor(BandValue(n - row - 1, n));
    canvas.MoveTo(SaturateToInt(x0), SaturateToInt(m + row));
    canvas.LineTo(SaturateToInt(x1), SaturateToInt(m + row));
  }
}

long long TEscalaPainter::LabelGaps(int extent) const {
  // One label a pixel at most, so that a huge count cannot stall a paint.
  return std::min<long long>(TextInterval, std::max(extent, 0)) + 1;
}

void TEscalaPainter::PaintTextHorizontal() {
  if (TextInterval < 0) return;
  TCanvas& canvas = Canvas();
  const int w = FSurface.Width();
  const long long m = PaintedMargin(), xe = w - m;
  const long long y = Position == TEscalaPosition::epNormal ? m + PaintedBandWidth() + 5 : m;
  const long long gaps = LabelGaps(w);
  const double step = (FModel.Maximum() - FModel.Minimum()) / static_cast<double>(gaps);
  canvas.TextAlign = TA_CENTER | TA_TOP;
  for (long long i = 0; i <= gaps; ++i)
    canvas.TextOut(SaturateToInt(m + i * (xe - m) / gaps), SaturateToInt(y),
                   Label(FModel.Minimum() + static_cast<double>(i) * step));
}

void TEscalaPainter::PaintTextVertical(const TLabelSize& labels) {
  if (TextInterval < 0) return;
  TCanvas& canvas = Canvas();
  const int h = FSurface.Height();
  const long long m = PaintedMargin();
  // The last label's bottom meets the band's bottom end.
  const long long ye = m + (h - 2 * m) - canvas.TextHeight("0");
  const long long x = labels.Width + m + (Position == TEscalaPosition::epNormal ? PaintedBandWidth() + 6 : 1);
  const long long gaps = LabelGaps(h);
  const double step = (FModel.Maximum() - FModel.Minimum()) / static_cast<double>(gaps);
  canvas.TextAlign = TA_RIGHT | TA_TOP;
  for (long long i = 0; i <= gaps; ++i)
    canvas.TextOut(SaturateToInt(x), SaturateToInt(m + i * (ye - m) / gaps),
                   Label(FModel.Maximum() - static_cast<double>(i) * step));
}

void TEscalaPainter::DrawMarkVertical(double v, TColor background) {
  TCanvas& canvas = Canvas();
  const int w = FSurface.Width(), h = FSurface.Height();
  const long long m = PaintedMargin(), n = h - 2 * m;
  const bool normal = Position == TEscalaPosition::epNormal;
  // The strip in the margin left of the band, or right of the band and its labels.
  const long long x1 = normal ? 1 : MeasureLabels().Width + m + PaintedBandWidth() + 7;
  const long long x2 = normal ? m - 2 : w - 1;
  canvas.Pen.Color = background;
  canvas.Brush.Color = background;
  // The two-pixel pen reaches one column beyond x2, which the erasing covers too.
  canvas.Rectangle(SaturateToInt(x1 - 1), 0, SaturateToInt(x2 + 2), h);
  const double min = FModel.Minimum(), max = FModel.Maximum();
  if (!(v >= min && v <= max)) return;
  const double range = max - min;
  const double fraction = range > 0 ? (v - min) / range : 0;
  const long long y = h - m - RoundToLong(fraction * static_cast<double>(n));
  canvas.Pen.Width = 2;
  canvas.Pen.Color = clBlack;
  canvas.MoveTo(SaturateToInt(x1), SaturateToInt(y));
  canvas.LineTo(SaturateToInt(x2), SaturateToInt(y));
  canvas.Pen.Width = 1;
}
