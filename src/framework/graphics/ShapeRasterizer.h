#pragma once
// Turns lines, rectangles, ellipses and polygons into runs of pixels. Knows nothing of
// colours or bitmaps: the canvas decides what a run does to the picture. Every function
// emits each pixel at most once, so that inverting pen modes stay reversible, and works only
// inside `limit`, so that far-away coordinates cost nothing.
#include <functional>
#include <vector>

#include "framework/base/Types.h"

// Receives the pixels x1 .. x2-1 of row y.
using TSpanSink = std::function<void(int y, int x1, int x2)>;

struct TPointF {
  double X = 0;
  double Y = 0;
};

// The same rectangle with Left <= Right and Top <= Bottom.
TRect NormalizedRect(int x1, int y1, int x2, int y2);

// A one-pixel line from a towards b; b itself is left out.
void RasterizeThinLine(TPoint a, TPoint b, const TRect& limit, const TSpanSink& sink);

// A line `width` pixels wide centred on a..b, both ends included, with round ends.
void RasterizeWideLine(TPoint a, TPoint b, int width, const TRect& limit, const TSpanSink& sink);

// The interior of a closed polygon under the alternate (even-odd) rule: a pixel belongs to it
// when its centre does.
void RasterizePolygon(const std::vector<TPointF>& points, const TRect& limit, const TSpanSink& sink);

// A rectangle's outline `penWidth` pixels wide, centred on its outermost pixels, and what lies
// inside the outline.
void RasterizeRectangle(const TRect& box, int penWidth, const TRect& limit, const TSpanSink& outline,
                        const TSpanSink& inside);

// The ellipse that fits box, as an outline `penWidth` pixels wide and what lies inside it.
void RasterizeEllipse(const TRect& box, int penWidth, const TRect& limit, const TSpanSink& outline,
                      const TSpanSink& inside);
