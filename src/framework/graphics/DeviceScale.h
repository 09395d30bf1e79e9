#pragma once
#include "framework/base/Types.h"

// How a window's logical pixels (96 per inch, in which every layout is given) map to the
// device pixels it is drawn in. A logical coordinate c lands on the device edge
// round((c + origin) * factor) - round(origin * factor): the origin is where a canvas's own
// coordinates begin in its window, so that controls painted apart still meet on the same
// device pixel at a fractional factor. At factor 1 every coordinate maps to itself.
class TDeviceScale {
 public:
  TDeviceScale() = default;
  explicit TDeviceScale(double factor, TPoint origin = {});

  double Factor() const { return FFactor; }
  TPoint Origin() const { return FOrigin; }
  bool IsIdentity() const { return FFactor == 1.0; }
  bool IsWhole() const;

  int X(int x) const { return Edge(x, FOrigin.X) - FDeviceOrigin.X; }
  int Y(int y) const { return Edge(y, FOrigin.Y) - FDeviceOrigin.Y; }
  TPoint Point(TPoint p) const { return {X(p.X), Y(p.Y)}; }
  // The device pixels that cover a logical rectangle.
  TRect Rect(const TRect& r) const { return {X(r.Left), Y(r.Top), X(r.Right), Y(r.Bottom)}; }
  // The logical pixels that a device rectangle touches.
  TRect Logical(const TRect& device) const;
  // A length such as a pen's width: at least one device pixel.
  int Length(int logical) const;
  // The logical size of a device size, to the nearest pixel.
  int LogicalLength(int device) const;
  // The same factor for a canvas whose coordinates begin `offset` further in.
  TDeviceScale Moved(TPoint offset) const {
    return TDeviceScale(FFactor, {FOrigin.X + offset.X, FOrigin.Y + offset.Y});
  }

 private:
  int Edge(int c, int origin) const;
  int Back(int device, int origin, int deviceOrigin, bool up) const;

  double FFactor = 1.0;
  TPoint FOrigin;
  TPoint FDeviceOrigin;
};
