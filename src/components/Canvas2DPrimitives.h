#pragma once
#include <string>

#include "Canvas2DMapping.h"

class TCanvas;
class TVekImage;

// The content's drawing in world values: lines, points, filled triangles and text, mapped to
// the surface. A line or triangle whose pixels would leave the range that is safe to draw is
// left out and sets the overflow flag; points and text outside the range are not drawn, and
// the canvas clips them wherever they reach.
class TPlotPrimitives {
 public:
  TPlotPrimitives(const TPlotMapping& mapping, TVekImage& surface) : FMapping(mapping), FSurface(surface) {}

  void Line(double X1, double Y1, double X2, double Y2);
  // A disc of diameter 2 Size + 1 with the pen and brush, or one pixel when Size <= 0.
  void Point(double X, double Y, int Size);
  void Triangle(double X1, double Y1, double X2, double Y2, double X3, double Y3);
  // Text at the point, moved by (DX, DY) pixels.
  void TextOutA(double X, double Y, int DX, int DY, const std::string& Text);

  // Whether a primitive since the last ClearOverflow was left out because its pixels were unsafe.
  bool Overflow() const { return FOverflow; }
  void ClearOverflow() { FOverflow = false; }

 private:
  TCanvas& Canvas() const;

  const TPlotMapping& FMapping;
  TVekImage& FSurface;
  bool FOverflow = false;
};
