// The redraw of the plot: background, frame, marks with their labels, margins.
#include <algorithm>
#include <cmath>

#include "Canvas2D.h"
#include "VekImage.h"
#include "framework/base/NumberPicture.h"
#include "framework/graphics/Canvas.h"
#include "vekutils/Vekutils.h"

namespace {

bool PointInRange(int x, int y) { return LineInRange(x, y, x, y); }

}  // namespace

// Labels follow Format with the separators of the user's locale.
std::string TCanvas2D::Label(double value) const { return FormatFloat(FFormat, value); }

void TCanvas2D::Draw() {
  if (!Visible()) return;
  const auto alive = Lifetime();
  THourglass hourglass(*this);
  if (FAxisXMarginAuto) AxisXMarginAdjust();
  if (FAxisYMarginAuto) AxisYMarginAdjust();
  Canvas().ClearClipRect();
  Clear();
  DrawRegionSet();
  FOverflow = false;
  if (OnDraw) {
    // Through a copy: the handler may replace itself, or destroy the canvas.
    const TNotifyEvent handler = OnDraw;
    handler(this);
    if (alive.expired()) return;
  }
  if (FZoomMode == zmZoomMore) ZoomDraw();
}

void TCanvas2D::Clear() {
  ImageResize();
  TCanvas& canvas = Canvas();
  if (!FAxisShow) {
    ClearCanvas(*FImage, canvas, FColorInt);
    SetDrawingAttributes();
    return;
  }
  ClearCanvas(*FImage, canvas, FColorExt);
  canvas.Pen.Color = FColorInt;
  canvas.Brush.Color = FColorInt;
  canvas.FillRect({FAxisXMargin + 1, FAxisYMargin + 1, SurfaceWidth() - FAxisXMargin, SurfaceHeight() - FAxisYMargin});
  AxisDraw();
}

// What OnDraw starts with.
void TCanvas2D::SetDrawingAttributes() {
  TCanvas& canvas = Canvas();
  canvas.Pen = {FAxisFont.Color, 1, TPenMode::pmCopy};
  canvas.Brush = {FColorInt, TBrushStyle::bsSolid};
  canvas.Font = FAxisFont;
  canvas.BkMode = TBkMode::Transparent;
  canvas.TextAlign = TA_LEFT | TA_TOP;
  canvas.CopyMode = SRCCOPY;
}

void TCanvas2D::AxisDraw() {
  TCanvas& canvas = Canvas();
  const int mx = MarginX(), my = MarginY();
  canvas.Pen = {FAxisFont.Color, 1, TPenMode::pmCopy};
  canvas.Brush.Style = TBrushStyle::bsClear;
  // The frame's lines lie on the pixels of both end values.
  canvas.Rectangle(mx, my, SurfaceWidth() - mx + 1, SurfaceHeight() - my + 1);
  canvas.Brush.Style = TBrushStyle::bsSolid;
  MarkXDraw(FAxisXMin);
  MarkXDraw(FAxisXMax);
  MarkYDraw(FAxisYMin);
  MarkYDraw(FAxisYMax);
  MarksDraw(FAxisXMarks, ClientWidthGet(), true);
  MarksDraw(FAxisYMarks, ClientHeightGet(), false);
  SetDrawingAttributes();
}

void TCanvas2D::MarksDraw(int marks, int pixels, bool x) {
  if (!(x ? XMapped() : YMapped())) return;
  // Counted in 64 bits, and never more than one label per pixel of the axis.
  const long long intervals = std::min<long long>(marks + 1LL, pixels);
  const long double min = x ? FAxisXMin : FAxisYMin, span = (x ? FAxisXMax : FAxisYMax) - min;
  for (long long i = 1; i < intervals; ++i) {
    const auto value = static_cast<double>(min + span * i / intervals);
    if (x) MarkXDraw(value);
    else MarkYDraw(value);
  }
}

TCanvas& TCanvas2D::MarkCanvas() {
  TCanvas& canvas = Canvas();
  canvas.Pen.Color = FAxisFont.Color;
  canvas.Font = FAxisFont;
  canvas.BkMode = TBkMode::Transparent;
  return canvas;
}

void TCanvas2D::MarkXDraw(double X) {
  const int px = ValToScrX(X), top = MarginY(), bottom = SurfaceHeight() - MarginY();
  if (!PointInRange(px, top) || !PointInRange(px, bottom)) return;
  TCanvas& canvas = MarkCanvas();
  canvas.TextAlign = TA_CENTER | TA_TOP;
  const std::string label = Label(X);
  canvas.MoveTo(px, top - 2);
  canvas.LineTo(px, top);
  canvas.TextOut(px, top - 3 - canvas.TextHeight(label), label);
  canvas.MoveTo(px, bottom + 1);
  canvas.LineTo(px, bottom + 3);
  canvas.TextOut(px, bottom + 4, label);
}

void TCanvas2D::MarkYDraw(double Y) {
  const int py = ValToScrY(Y), left = MarginX(), right = SurfaceWidth() - MarginX();
  if (!PointInRange(left, py) || !PointInRange(right, py)) return;
  TCanvas& canvas = MarkCanvas();
  const std::string label = Label(Y);
  canvas.TextAlign = TA_RIGHT | TA_TOP;
  canvas.MoveTo(left - 2, py);
  canvas.LineTo(left, py);
  MarkYDrawText(left - 3, py, Y, label);
  canvas.TextAlign = TA_LEFT | TA_TOP;
  canvas.MoveTo(right + 1, py);
  canvas.LineTo(right + 3, py);
  MarkYDrawText(right + 4, py, Y, label);
}

// The bottom label sits mostly above the bottom frame line, the top one mostly below the
// top line, the others centred on their tick.
void TCanvas2D::MarkYDrawText(int X, int Y, double Value, const std::string& Text) {
  TCanvas& canvas = Canvas();
  const int h = canvas.TextHeight(Text);
  const int up = Value == FAxisYMin ? 2 * h / 3 : Value == FAxisYMax ? h / 3 : h / 2;
  canvas.TextOut(X, Y - up, Text);
}

void TCanvas2D::DrawRegionSet() {
  if (!FAxisShow) return;
  Canvas().SetClipRect(
      {FAxisXMargin + 1, FAxisYMargin + 1, SurfaceWidth() - FAxisXMargin, SurfaceHeight() - FAxisYMargin});
}

void TCanvas2D::AxisXMarginAdjust() {
  TCanvas& canvas = Canvas();
  canvas.Font = FAxisFont;
  FAxisXMargin = std::max(canvas.TextWidth(Label(FAxisYMax)), canvas.TextWidth(Label(FAxisYMin))) + 6;
}

void TCanvas2D::AxisYMarginAdjust() {
  TCanvas& canvas = Canvas();
  canvas.Font = FAxisFont;
  FAxisYMargin = canvas.TextHeight("0") + 6;
}

void TCanvas2D::AxisXAdjustToY() {
  const int wp = ClientWidthGet(), hp = ClientHeightGet();
  if (wp <= 0 || hp <= 0 || !YMapped() || !std::isfinite(FAxisXMin)) return;
  FAxisXMax = static_cast<double>(FAxisXMin + (static_cast<long double>(FAxisYMax) - FAxisYMin) * wp / hp);
  Draw();
}

void TCanvas2D::AxisYAdjustToX() {
  const int wp = ClientWidthGet(), hp = ClientHeightGet();
  if (wp <= 0 || hp <= 0 || !XMapped() || !std::isfinite(FAxisYMin)) return;
  FAxisYMax = static_cast<double>(FAxisYMin + (static_cast<long double>(FAxisXMax) - FAxisXMin) * hp / wp);
  Draw();
}
