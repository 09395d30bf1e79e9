// Filled boxes, bevels, ellipses and shaded balls.
#include <algorithm>
#include <climits>
#include <cstdint>

#include "VekImage.h"
#include "framework/base/Saturate.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/StylePainter.h"
#include "vekutils/Vekutils.h"

void TVekImage::Fill(TColor c) {
  TCanvas& canvas = Canvas();
  canvas.Pen.Color = c;
  canvas.Brush.Color = c;
  canvas.Rectangle(0, 0, Width(), Height());
}

void TVekImage::Fill3D(TColor c, int bevel, bool raised) { Rect3D(0, 0, Width(), Height(), c, bevel, raised); }

void TVekImage::Rect3D(int x1, int y1, int x2, int y2, TColor c, int bevel, bool raised) {
  TCanvas& canvas = Canvas();
  canvas.Brush.Color = c;
  canvas.FillRect({x1, y1, x2, y2});
  Bevel({x1, y1, x2, y2}, bevel, raised);
}

void TVekImage::Rect3D(const TRect& r, TColor c, int bevel, bool raised) {
  Rect3D(r.Left, r.Top, r.Right, r.Bottom, c, bevel, raised);
}

// `width` rings, each light at the top and left and dark at the bottom and right (the
// reverse when sunken), the dark edges taking the top-right and bottom-left corners. The
// canvas is left as line drawing would leave it: a 1-pixel pen in the last ring's dark colour.
void TVekImage::Bevel(TRect box, int width, bool raised) {
  TCanvas& canvas = Canvas();
  const TEdgeRing ring = raised ? TEdgeRing{clBtnHighlight, clBtnShadow} : TEdgeRing{clBtnShadow, clBtnHighlight};
  canvas.Pen.Width = 1;
  const TBrush brush = canvas.Brush;
  canvas.Brush.Style = TBrushStyle::bsSolid;
  for (int i = 0; i < width && !box.IsEmpty(); ++i) {
    TStylePainter::DrawRing(canvas, box, ring);
    canvas.Pen.Color = ring.BottomRight;
    box = TStylePainter::Inset(box, 1);
  }
  canvas.Brush = brush;
}

void TVekImage::Ellipse(int x, int y, int r) { Ellipse(x, y, r, r); }

void TVekImage::Ellipse(int x, int y, int rx, int ry) {
  Canvas().Ellipse(SaturateToInt(std::int64_t{x} - rx), SaturateToInt(std::int64_t{y} - ry),
                   SaturateToInt(std::int64_t{x} + rx), SaturateToInt(std::int64_t{y} + ry));
}

void TVekImage::Ball3D(int x1, int y1, int x2, int y2, TColor outer, TColor inner, bool highlight, int steps) {
  TCanvas& canvas = Canvas();
  const std::int64_t width = std::int64_t{x2} - x1, height = std::int64_t{y2} - y1;
  for (int i = 0; i < steps; ++i) {
    // The vertical inset that matches the horizontal one on a box that is not square.
    const std::int64_t inset = width == 0 ? 0 : i * height / width;
    if (width - 2 * std::int64_t{i} <= 0 || height - 2 * inset <= 0) break;
    const std::int64_t drift = highlight ? i / 3 : 0;
    const TColor colour = BlendColor(outer, inner, i, steps);
    canvas.Pen.Color = colour;
    canvas.Brush.Color = colour;
    canvas.Ellipse(SaturateToInt(x1 + i + drift), SaturateToInt(y1 + inset - drift), SaturateToInt(x2 - i + drift),
                   SaturateToInt(y2 - inset - drift));
  }
}

void TVekImage::Ball3D(int x1, int y1, int x2, int y2, TColor outer, TColor inner, bool highlight) {
  Ball3D(x1, y1, x2, y2, outer, inner, highlight, SaturateToInt((std::int64_t{x2} - x1) / 2));
}

void TVekImage::Ball3D(const TRect& r, TColor outer, TColor inner, bool highlight) {
  Ball3D(r.Left, r.Top, r.Right, r.Bottom, outer, inner, highlight);
}
