// Filled boxes, bevels, ellipses and shaded balls.
#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "VekImage.h"
#include "framework/base/Saturate.h"
#include "framework/graphics/Canvas.h"
#include "vekutils/Vekutils.h"

namespace {

// Coordinates beyond this are all one to the canvas, which clamps them here.
constexpr std::int64_t kFar = 1 << 24;

// A box of 64-bit corners.
struct TBox {
  std::int64_t Left, Top, Right, Bottom;
};

// The same box with its corners in order and far coordinates clamped, as the canvas draws it.
TBox Drawn(const TBox& b) {
  const auto near = [](std::int64_t v) { return std::clamp(v, -kFar, kFar); };
  return {near(std::min(b.Left, b.Right)), near(std::min(b.Top, b.Bottom)), near(std::max(b.Left, b.Right)),
          near(std::max(b.Top, b.Bottom))};
}

// The rings of a shaded ball: ring i is inset by i on the left and right and by the matching
// vertical inset at the top and bottom, and with highlight moved right and up by i / 3. Past
// the first empty ring the corners have crossed and the rings grow again.
class TBallRings {
 public:
  TBallRings(int x1, int y1, int x2, int y2, bool highlight)
      : FX1(x1), FY1(y1), FX2(x2), FY2(y2), FHighlight(highlight) {}
  TBox Corners(std::int64_t i) const {
    const std::int64_t width = FX2 - FX1;
    // A box without width has no inset to match: its rings only widen.
    const std::int64_t inset = width == 0 ? 0 : i * (FY2 - FY1) / width;
    const std::int64_t drift = FHighlight ? i / 3 : 0;
    return {FX1 + i + drift, FY1 + inset - drift, FX2 - i + drift, FY2 - inset - drift};
  }
  TBox Box(std::int64_t i) const { return Drawn(Corners(i)); }
  // The rings before the first empty one.
  std::int64_t Shrinking() const { return FX2 > FX1 ? (FX2 - FX1 + 1) / 2 : 0; }

 private:
  std::int64_t FX1, FY1, FX2, FY2;
  bool FHighlight;
};

// The picture a ball is drawn on, and the width of the pen that outlines each ring.
struct TBallCanvas {
  int Width, Height, Pen;

  // Whether the ellipse in the box, with its outline, can reach a pixel of the picture.
  bool Touched(const TBox& box) const {
    if (box.Right <= box.Left || box.Bottom <= box.Top) return false;
    return box.Left - Pen < Width && box.Right + Pen > 0 && box.Top - Pen < Height && box.Bottom + Pen > 0;
  }
  // Whether the ellipse in the box paints every pixel of the picture: the centres of its
  // corner pixels lie inside it, with a pixel and the pen to spare.
  bool Covered(const TBox& box) const {
    const double a = (box.Right - box.Left) / 2.0, b = (box.Bottom - box.Top) / 2.0;
    const double cx = box.Left + a, cy = box.Top + b, ra = a - 1 - Pen, rb = b - 1 - Pen;
    if (ra <= 0 || rb <= 0) return false;
    for (const double x : {0.5, Width - 0.5})
      for (const double y : {0.5, Height - 0.5})
        if ((x - cx) * (x - cx) / (ra * ra) + (y - cy) * (y - cy) / (rb * rb) > 1) return false;
    return true;
  }
};

// A ring that paints the whole picture, as late as can be found cheaply, or 0: the last ring,
// else the last of the shrinking ones that does (they cover while they are large).
std::int64_t LastCoveringRing(const TBallRings& rings, std::int64_t steps, const TBallCanvas& picture) {
  if (picture.Covered(rings.Box(steps - 1))) return steps - 1;
  std::int64_t covering = 0, beyond = std::min(steps, rings.Shrinking());
  if (beyond == 0 || !picture.Covered(rings.Box(0))) return 0;
  while (beyond - covering > 1) {
    const std::int64_t middle = covering + (beyond - covering) / 2;
    (picture.Covered(rings.Box(middle)) ? covering : beyond) = middle;
  }
  return covering;
}

// The rings of a bevel of `width` on the box whose lines can reach a w x h picture, in order:
// those whose left or right column lies on it, or whose top or bottom row does.
std::vector<std::int64_t> RingsNear(const TRect& box, int width, int w, int h) {
  const std::int64_t right = box.Right - 1LL, bottom = box.Bottom - 1LL;
  const std::pair<std::int64_t, std::int64_t> spans[] = {{-std::int64_t{box.Left}, w - std::int64_t{box.Left}},
                                                         {right - w + 1, right + 1},
                                                         {-std::int64_t{box.Top}, h - std::int64_t{box.Top}},
                                                         {bottom - h + 1, bottom + 1}};
  std::vector<std::int64_t> rings;
  for (const auto& [from, to] : spans)
    for (std::int64_t i = std::max<std::int64_t>(from, 0); i < std::min<std::int64_t>(to, width); ++i)
      rings.push_back(i);
  std::sort(rings.begin(), rings.end());
  rings.erase(std::unique(rings.begin(), rings.end()), rings.end());
  return rings;
}

}  // namespace

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

// `width` rings of lines, each light at the top and left and dark at the bottom and right
// (the reverse when sunken), the dark edges taking the top-right and bottom-left corners.
// Past the middle of the box a ring's edges have crossed, and it is drawn all the same. Only
// the rings that can reach the picture are drawn, so a huge width costs no more than the
// picture's size. The canvas is left with a 1-pixel pen in the last ring's dark colour.
void TVekImage::Bevel(TRect box, int width, bool raised) {
  TCanvas& canvas = Canvas();
  const TColor light = raised ? clBtnHighlight : clBtnShadow, dark = raised ? clBtnShadow : clBtnHighlight;
  canvas.Pen.Width = 1;
  // Inclusive corners.
  const std::int64_t left = box.Left, top = box.Top, right = box.Right - 1LL, bottom = box.Bottom - 1LL;
  for (const std::int64_t i : RingsNear(box, width, Bits().Width(), Bits().Height())) {
    const int l = SaturateToInt(left + i), t = SaturateToInt(top + i);
    const int r = SaturateToInt(right - i), b = SaturateToInt(bottom - i);
    canvas.Pen.Color = light;
    canvas.MoveTo(l, b);
    canvas.LineTo(l, t);
    canvas.LineTo(r, t);
    canvas.Pen.Color = dark;
    canvas.LineTo(r, b);
    canvas.LineTo(SaturateToInt(left + i - 1), b);
  }
  if (width > 0) canvas.Pen.Color = dark;
}

void TVekImage::Ellipse(int x, int y, int r) { Ellipse(x, y, r, r); }

void TVekImage::Ellipse(int x, int y, int rx, int ry) {
  Canvas().Ellipse(SaturateToInt(std::int64_t{x} - rx), SaturateToInt(std::int64_t{y} - ry),
                   SaturateToInt(std::int64_t{x} + rx), SaturateToInt(std::int64_t{y} + ry));
}

// Every ring is drawn over the ones before it, so the drawing starts at the last ring known
// to paint the whole picture, and rings that cannot reach the picture are left out. A ball
// whose rings go on crossing the picture beyond all reason ends with its last ring.
void TVekImage::Ball3D(int x1, int y1, int x2, int y2, TColor outer, TColor inner, bool highlight, int steps) {
  if (steps <= 0) return;
  TCanvas& canvas = Canvas();
  const TBallRings rings(x1, y1, x2, y2, highlight);
  const TBallCanvas picture{Bits().Width(), Bits().Height(), std::max(canvas.Pen.Width, 1)};
  const bool paints = canvas.Pen.Mode == TPenMode::pmCopy && canvas.Brush.Style == TBrushStyle::bsSolid;
  const std::int64_t budget = 4LL * (picture.Width + picture.Height) + 64;
  std::int64_t visits = 0;
  for (std::int64_t i = paints ? LastCoveringRing(rings, steps, picture) : 0; i < steps; ++i) {
    if (++visits > budget) i = steps - 1;
    if (!picture.Touched(rings.Box(i))) continue;
    const TColor colour = BlendColor(outer, inner, static_cast<int>(i), steps);
    canvas.Pen.Color = colour;
    canvas.Brush.Color = colour;
    const TBox corners = rings.Corners(i);
    canvas.Ellipse(SaturateToInt(corners.Left), SaturateToInt(corners.Top), SaturateToInt(corners.Right),
                   SaturateToInt(corners.Bottom));
  }
  const TColor last = BlendColor(outer, inner, steps - 1, steps);
  canvas.Pen.Color = last;
  canvas.Brush.Color = last;
}

void TVekImage::Ball3D(int x1, int y1, int x2, int y2, TColor outer, TColor inner, bool highlight) {
  Ball3D(x1, y1, x2, y2, outer, inner, highlight, SaturateToInt((std::int64_t{x2} - x1) / 2));
}

void TVekImage::Ball3D(const TRect& r, TColor outer, TColor inner, bool highlight) {
  Ball3D(r.Left, r.Top, r.Right, r.Bottom, outer, inner, highlight);
}
