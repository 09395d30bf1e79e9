#pragma once
#include <algorithm>
#include <cmath>

#include "framework/base/Saturate.h"
#include "framework/base/Types.h"
#include "framework/ui/core/Control.h"
#include "vekutils/Vekutils.h"

class TCanvas;

// The world values a plot shows on each axis.
struct TPlotRange {
  double XMin = 0, YMin = 0, XMax = 10, YMax = 10;
  friend bool operator==(const TPlotRange&, const TPlotRange&) = default;
};

// Where a plot's world values fall on its surface. The plot area is the surface less a margin
// on each side for the axes (no margins while the axes are hidden); the Y axis grows upwards,
// and an axis whose minimum lies above its maximum is mirrored.
//
// A range whose span is zero or not finite, or a plot area without pixels, maps nothing:
// Drawable() is false and pixels convert to the axis minimum.
class TPlotMapping {
 public:
  explicit TPlotMapping(const TControl& surface) : FSurface(surface) {}

  TPlotRange Range;
  bool AxisShow = true;
  // As set, negative ones too; the formulas count them only while the axes show (MarginX,
  // MarginY), and no further from 0 than any picture reaches.
  int AxisXMargin = 50;
  int AxisYMargin = 30;

  int SurfaceWidth() const { return FSurface.Width(); }
  int SurfaceHeight() const { return FSurface.Height(); }
  int MarginX() const { return AxisShow ? Counted(AxisXMargin) : 0; }
  int MarginY() const { return AxisShow ? Counted(AxisYMargin) : 0; }
  // The plot area's width and height.
  int PlotWidth() const { return SurfaceWidth() - 2 * MarginX(); }
  int PlotHeight() const { return SurfaceHeight() - 2 * MarginY(); }
  // The plot area's inner pixels, corners inclusive (Right and Bottom are inside too).
  TRect DrawRect() const;
  bool Inside(int X, int Y) const;
  // Inside the frame, right and bottom exclusive: where the content may draw.
  TRect Interior() const;
  // Keeps a canvas's drawing inside the frame while the axes show.
  void ClipToInterior(TCanvas& canvas) const;

  bool XMapped() const { return SpanMaps(Range.XMin, Range.XMax); }
  bool YMapped() const { return SpanMaps(Range.YMin, Range.YMax); }
  // Both axes map and the plot area has pixels.
  bool Drawable() const { return XMapped() && YMapped() && PlotWidth() > 0 && PlotHeight() > 0; }
  // Defined here, as the drawing of every line converts four values.
  int ValToScrX(double X) const {
    if (!XMapped()) return MarginX();
    const auto offset = static_cast<double>(Scaled(X, Range.XMin, Range.XMax, PlotWidth()));
    return SaturateToInt(static_cast<long long>(MarginX()) + RoundToInt(offset));
  }
  int ValToScrY(double Y) const {
    const int bottom = SurfaceHeight() - MarginY();
    if (!YMapped()) return bottom;
    const auto offset = static_cast<double>(Scaled(Y, Range.YMin, Range.YMax, PlotHeight()));
    return SaturateToInt(static_cast<long long>(bottom) - RoundToInt(offset));
  }
  double ValToScrXD(double X) const;
  double ValToScrYD(double Y) const;
  double ScrToValX(int X) const;
  double ScrToValY(int Y) const;
  // Whether the point lies in the range, its ends included (in either order).
  bool PointCheckIn(double X, double Y) const;

  // Make one world unit as long on both axes by moving XMax (or YMax); false when the other
  // axis maps nothing or the plot area has no pixels, and then nothing changes.
  bool XAdjustToY();
  bool YAdjustToX();

 private:
  // Further out than this, a margin puts the plot area as far off any picture as can be.
  static constexpr int kFarMargin = 1 << 24;
  // A margin brought within reach of a picture, so that no sum of margins and sizes overflows.
  static int Counted(int margin) { return std::clamp(margin, -kFarMargin, kFarMargin); }
  // A span maps when it is a finite number other than 0; a negative one mirrors its axis.
  static bool SpanMaps(double min, double max) {
    return std::isfinite(min) && std::isfinite(max) && static_cast<long double>(max) - min != 0;
  }
  // The share of the span up to a value, times the plot's extent, in extended precision.
  static long double Scaled(double value, double min, double max, int extent) {
    return (static_cast<long double>(value) - min) / (static_cast<long double>(max) - min) * extent;
  }

  const TControl& FSurface;
};
