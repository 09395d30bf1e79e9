#include "Canvas2DAxes.h"

#include <algorithm>

#include "VekImage.h"
#include "framework/base/NumberPicture.h"
#include "framework/graphics/Canvas.h"
#include "vekutils/Vekutils.h"

namespace {

bool PointInRange(int x, int y) { return LineInRange(x, y, x, y); }

}  // namespace

TCanvas& TPlotAxes::Canvas() const { return FSurface.Canvas(); }

// Labels follow Format with the separators of the user's locale.
std::string TPlotAxes::Label(double value) const { return FormatFloat(Format, value); }

void TPlotAxes::MarginsAdjust() {
  if (XMarginAuto) XMarginAdjust();
  if (YMarginAuto) YMarginAdjust();
}

void TPlotAxes::XMarginAdjust() {
  TCanvas& canvas = Canvas();
  canvas.Font = Font;
  const TPlotRange& range = FMapping.Range;
  FMapping.AxisXMargin = std::max(canvas.TextWidth(Label(range.YMax)), canvas.TextWidth(Label(range.YMin))) + 6;
}

void TPlotAxes::YMarginAdjust() {
  TCanvas& canvas = Canvas();
  canvas.Font = Font;
  FMapping.AxisYMargin = canvas.TextHeight("0") + 6;
}

void TPlotAxes::Paint() {
  TCanvas& canvas = Canvas();
  if (!FMapping.AxisShow) {
    ClearCanvas(FSurface, canvas, ColorInt);
    SetDrawingAttributes(ColorInt);
    return;
  }
  ClearCanvas(FSurface, canvas, ColorExt);
  canvas.Pen.Color = ColorInt;
  canvas.Brush.Color = ColorInt;
  canvas.FillRect(FMapping.Interior());
  Draw();
}

// What the content's drawing starts with: the pen in the colour last drawn with, the axes'
// or (without axes) the plot area's.
void TPlotAxes::SetDrawingAttributes(TColor pen) {
  TCanvas& canvas = Canvas();
  canvas.Pen = {pen, 1, TPenMode::pmCopy};
  canvas.Brush = {ColorInt, TBrushStyle::bsSolid};
  canvas.Font = Font;
  canvas.BkMode = TBkMode::Transparent;
  canvas.TextAlign = TA_LEFT | TA_TOP;
  canvas.CopyMode = SRCCOPY;
}

void TPlotAxes::Draw() {
  TCanvas& canvas = Canvas();
  const int mx = FMapping.MarginX(), my = FMapping.MarginY();
  canvas.Pen = {Font.Color, 1, TPenMode::pmCopy};
  canvas.Brush.Style = TBrushStyle::bsClear;
  // The frame's lines lie on the pixels of both end values.
  canvas.Rectangle(mx, my, FMapping.SurfaceWidth() - mx + 1, FMapping.SurfaceHeight() - my + 1);
  canvas.Brush.Style = TBrushStyle::bsSolid;
  const TPlotRange& range = FMapping.Range;
  MarkXDraw(range.XMin);
  MarkXDraw(range.XMax);
  MarkYDraw(range.YMin);
  MarkYDraw(range.YMax);
  MarksDraw(XMarks, FMapping.PlotWidth(), true);
  MarksDraw(YMarks, FMapping.PlotHeight(), false);
  SetDrawingAttributes(Font.Color);
}

void TPlotAxes::MarksDraw(int marks, int pixels, bool x) {
  if (!(x ? FMapping.XMapped() : FMapping.YMapped())) return;
  // Counted in 64 bits, and never more than one label per pixel of the axis.
  const long long intervals = std::min<long long>(marks + 1LL, pixels);
  const TPlotRange& range = FMapping.Range;
  const long double min = x ? range.XMin : range.YMin, span = (x ? range.XMax : range.YMax) - min;
  for (long long i = 1; i < intervals; ++i) {
    const auto value = static_cast<double>(min + span * i / intervals);
    if (x) MarkXDraw(value);
    else MarkYDraw(value);
  }
}

TCanvas& TPlotAxes::MarkCanvas() {
  TCanvas& canvas = Canvas();
  canvas.Pen.Color = Font.Color;
  canvas.Font = Font;
  canvas.BkMode = TBkMode::Transparent;
  return canvas;
}

void TPlotAxes::MarkXDraw(double X) {
  const int px = FMapping.ValToScrX(X), top = FMapping.MarginY(), bottom = FMapping.SurfaceHeight() - top;
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

void TPlotAxes::MarkYDraw(double Y) {
  const int py = FMapping.ValToScrY(Y), left = FMapping.MarginX(), right = FMapping.SurfaceWidth() - left;
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
void TPlotAxes::MarkYDrawText(int X, int Y, double Value, const std::string& Text) {
  TCanvas& canvas = Canvas();
  const int h = canvas.TextHeight(Text);
  const int up = Value == FMapping.Range.YMin ? 2 * h / 3 : Value == FMapping.Range.YMax ? h / 3 : h / 2;
  canvas.TextOut(X, Y - up, Text);
}
