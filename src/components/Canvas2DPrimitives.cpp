#include "Canvas2DPrimitives.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "VekImage.h"
#include "framework/base/Saturate.h"
#include "framework/graphics/Canvas.h"
#include "vekutils/Vekutils.h"

namespace {

bool Finite(std::initializer_list<double> values) {
  return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

// Whether both values lie beyond the same end of an axis, whichever way round it runs.
bool OneSide(double v1, double v2, double end1, double end2) {
  const double low = std::min(end1, end2), high = std::max(end1, end2);
  return (v1 < low && v2 < low) || (v1 > high && v2 > high);
}

}  // namespace

TCanvas& TPlotPrimitives::Canvas() const { return FSurface.Canvas(); }

void TPlotPrimitives::Line(double X1, double Y1, double X2, double Y2) {
  if (!Finite({X1, Y1, X2, Y2})) return;
  const TPlotRange& r = FMapping.Range;
  if (OneSide(X1, X2, r.XMin, r.XMax) || OneSide(Y1, Y2, r.YMin, r.YMax) || !FMapping.Drawable()) return;
  const int x1 = FMapping.ValToScrX(X1), y1 = FMapping.ValToScrY(Y1);
  const int x2 = FMapping.ValToScrX(X2), y2 = FMapping.ValToScrY(Y2);
  if (!LineInRange(x1, y1, x2, y2)) {
    FOverflow = true;
    return;
  }
  TCanvas& canvas = Canvas();
  canvas.MoveTo(x1, y1);
  canvas.LineTo(x2, y2);
}

void TPlotPrimitives::Point(double X, double Y, int Size) {
  if (!FMapping.PointCheckIn(X, Y) || !FMapping.Drawable()) return;
  const int px = FMapping.ValToScrX(X), py = FMapping.ValToScrY(Y);
  TCanvas& canvas = Canvas();
  if (Size <= 0) {
    canvas.SetPixel(px, py, canvas.Pen.Color);
    return;
  }
  // The canvas clips a disc however far it reaches.
  canvas.Ellipse(SaturateToInt(0LL + px - Size), SaturateToInt(0LL + py - Size), SaturateToInt(0LL + px + Size + 1),
                 SaturateToInt(0LL + py + Size + 1));
}

void TPlotPrimitives::Triangle(double X1, double Y1, double X2, double Y2, double X3, double Y3) {
  if (!Finite({X1, Y1, X2, Y2, X3, Y3}) || !FMapping.Drawable()) return;
  const TPlotMapping& m = FMapping;
  if (!FillTriangle(FSurface, Canvas(), m.ValToScrX(X1), m.ValToScrY(Y1), m.ValToScrX(X2), m.ValToScrY(Y2),
                    m.ValToScrX(X3), m.ValToScrY(Y3)))
    FOverflow = true;
}

void TPlotPrimitives::TextOutA(double X, double Y, int DX, int DY, const std::string& Text) {
  if (!FMapping.PointCheckIn(X, Y) || !FMapping.Drawable()) return;
  TCanvas& canvas = Canvas();
  canvas.BkMode = TBkMode::Transparent;
  // The canvas clips text however far it lies.
  canvas.TextOut(SaturateToInt(0LL + FMapping.ValToScrX(X) + DX), SaturateToInt(0LL + FMapping.ValToScrY(Y) + DY),
                 Text);
}
