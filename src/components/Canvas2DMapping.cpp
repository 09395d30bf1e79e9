#include "Canvas2DMapping.h"

#include <cmath>

#include "framework/graphics/Canvas.h"

namespace {

// Whether v lies between the two ends, whichever of them is the lower.
bool Between(double v, double end1, double end2) {
  return end1 <= end2 ? end1 <= v && v <= end2 : end2 <= v && v <= end1;
}

// From a pixel's share of the plot's extent back to the world.
double Unscaled(long double pixels, int extent, double min, double max) {
  return static_cast<double>(min + pixels / extent * (static_cast<long double>(max) - min));
}

}  // namespace

TRect TPlotMapping::DrawRect() const {
  const int w = SurfaceWidth(), h = SurfaceHeight(), mx = MarginX(), my = MarginY();
  if (!AxisShow) return {0, 0, w - 1, h - 1};
  return {mx + 1, my + 1, w - mx - 1, h - my - 1};
}

bool TPlotMapping::Inside(int X, int Y) const {
  const int w = SurfaceWidth(), h = SurfaceHeight(), mx = MarginX(), my = MarginY();
  if (!AxisShow) return X >= 0 && X <= w && Y >= 0 && Y <= h;
  return X > mx && X < w - mx && Y > my && Y < h - my;
}

TRect TPlotMapping::Interior() const {
  const int mx = MarginX(), my = MarginY();
  return {mx + 1, my + 1, SurfaceWidth() - mx, SurfaceHeight() - my};
}

void TPlotMapping::ClipToInterior(TCanvas& canvas) const {
  if (AxisShow) canvas.SetClipRect(Interior());
}

double TPlotMapping::ValToScrXD(double X) const {
  const long double offset = XMapped() ? Scaled(X, Range.XMin, Range.XMax, PlotWidth()) : 0;
  return static_cast<double>(MarginX() + offset);
}

double TPlotMapping::ValToScrYD(double Y) const {
  const long double offset = YMapped() ? Scaled(Y, Range.YMin, Range.YMax, PlotHeight()) : 0;
  return static_cast<double>(SurfaceHeight() - MarginY() - offset);
}

double TPlotMapping::ScrToValX(int X) const {
  const int wp = PlotWidth();
  if (!XMapped() || wp <= 0) return Range.XMin;
  return Unscaled(static_cast<long double>(X) - MarginX(), wp, Range.XMin, Range.XMax);
}

double TPlotMapping::ScrToValY(int Y) const {
  const int hp = PlotHeight();
  if (!YMapped() || hp <= 0) return Range.YMin;
  return Unscaled(static_cast<long double>(SurfaceHeight()) - Y - MarginY(), hp, Range.YMin, Range.YMax);
}

bool TPlotMapping::PointCheckIn(double X, double Y) const {
  return Between(X, Range.XMin, Range.XMax) && Between(Y, Range.YMin, Range.YMax);
}

bool TPlotMapping::XAdjustToY() {
  const int wp = PlotWidth(), hp = PlotHeight();
  if (wp <= 0 || hp <= 0 || !YMapped() || !std::isfinite(Range.XMin)) return false;
  Range.XMax = static_cast<double>(Range.XMin + (static_cast<long double>(Range.YMax) - Range.YMin) * wp / hp);
  return true;
}

bool TPlotMapping::YAdjustToX() {
  const int wp = PlotWidth(), hp = PlotHeight();
  if (wp <= 0 || hp <= 0 || !XMapped() || !std::isfinite(Range.YMin)) return false;
  Range.YMax = static_cast<double>(Range.YMin + (static_cast<long double>(Range.XMax) - Range.XMin) * hp / wp);
  return true;
}
