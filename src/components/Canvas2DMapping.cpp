#include "Canvas2DMapping.h"

#include <cmath>

#include "framework/base/Saturate.h"
#include "framework/graphics/Canvas.h"
#include "framework/ui/core/Control.h"
#include "vekutils/Vekutils.h"

namespace {

// The share of the span up to a value, times the plot's extent, in extended precision.
long double Scaled(double value, double min, double max, int extent) {
  return (static_cast<long double>(value) - min) / (static_cast<long double>(max) - min) * extent;
}

// A span maps only when it is a positive finite number.
bool SpanMaps(double min, double max) {
  return std::isfinite(min) && std::isfinite(max) && static_cast<long double>(max) - min > 0;
}

// From a pixel's share of the plot's extent back to the world.
double Unscaled(long double pixels, int extent, double min, double max) {
  return static_cast<double>(min + pixels / extent * (static_cast<long double>(max) - min));
}

}  // namespace

int TPlotMapping::SurfaceWidth() const { return FSurface.Width(); }
int TPlotMapping::SurfaceHeight() const { return FSurface.Height(); }

TRect TPlotMapping::DrawRect() const {
  const int w = SurfaceWidth(), h = SurfaceHeight();
  if (!AxisShow) return {0, 0, w - 1, h - 1};
  return {AxisXMargin + 1, AxisYMargin + 1, w - AxisXMargin - 1, h - AxisYMargin - 1};
}

bool TPlotMapping::Inside(int X, int Y) const {
  const int w = SurfaceWidth(), h = SurfaceHeight();
  if (!AxisShow) return X >= 0 && X <= w && Y >= 0 && Y <= h;
  return X > AxisXMargin && X < w - AxisXMargin && Y > AxisYMargin && Y < h - AxisYMargin;
}

TRect TPlotMapping::Interior() const {
  return {AxisXMargin + 1, AxisYMargin + 1, SurfaceWidth() - AxisXMargin, SurfaceHeight() - AxisYMargin};
}

void TPlotMapping::ClipToInterior(TCanvas& canvas) const {
  if (AxisShow) canvas.SetClipRect(Interior());
}

bool TPlotMapping::XMapped() const { return SpanMaps(Range.XMin, Range.XMax); }
bool TPlotMapping::YMapped() const { return SpanMaps(Range.YMin, Range.YMax); }

bool TPlotMapping::Drawable() const { return XMapped() && YMapped() && PlotWidth() > 0 && PlotHeight() > 0; }

double TPlotMapping::ValToScrXD(double X) const {
  const long double offset = XMapped() ? Scaled(X, Range.XMin, Range.XMax, PlotWidth()) : 0;
  return static_cast<double>(MarginX() + offset);
}

double TPlotMapping::ValToScrYD(double Y) const {
  const long double offset = YMapped() ? Scaled(Y, Range.YMin, Range.YMax, PlotHeight()) : 0;
  return static_cast<double>(SurfaceHeight() - MarginY() - offset);
}

int TPlotMapping::ValToScrX(double X) const {
  if (!XMapped()) return MarginX();
  const auto offset = static_cast<double>(Scaled(X, Range.XMin, Range.XMax, PlotWidth()));
  return SaturateToInt(static_cast<long long>(MarginX()) + RoundToInt(offset));
}

int TPlotMapping::ValToScrY(double Y) const {
  const int bottom = SurfaceHeight() - MarginY();
  if (!YMapped()) return bottom;
  const auto offset = static_cast<double>(Scaled(Y, Range.YMin, Range.YMax, PlotHeight()));
  return SaturateToInt(static_cast<long long>(bottom) - RoundToInt(offset));
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
  return X >= Range.XMin && X <= Range.XMax && Y >= Range.YMin && Y <= Range.YMax;
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
