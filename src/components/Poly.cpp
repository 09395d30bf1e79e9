#include "Poly.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

#include "VekImage.h"
#include "framework/base/StoreChanged.h"
#include "framework/graphics/Canvas.h"
#include "vekutils/Vekutils.h"

namespace {

constexpr double kPi = 3.141592653589793;

// A fraction of 1 or more brought into [0, 1); one that is not finite counts as 0.
double WrapFraction(double t) {
  if (!std::isfinite(t)) return 0;
  if (t < 1) return t;
  t -= std::floor(t);
  return t < 1 ? t : 0;
}

// Truncation toward zero, saturating at the ends of the integer range (NaN gives 0): the
// measuring methods take a radius from their caller.
int Truncate(double v) {
  if (!(v > std::numeric_limits<int>::min())) return v < 0 ? std::numeric_limits<int>::min() : 0;
  if (!(v < std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  return static_cast<int>(v);
}

// From a towards b by the part f, truncated: a when f is 0, b when it is 1. A coordinate the
// two share stays, however far f reaches.
int Between(int a, int b, double f) {
  if (a == b) return a;
  return Truncate(a + (static_cast<double>(b) - a) * f);
}

}  // namespace

TPoly::TPoly(TComponent* owner) : TPnlImg(owner), FCount(std::rand() % 10 + 4) { Draw(this); }

void TPoly::SetColorBack(TColor c) {
  if (StoreChanged(FColorBack, c)) Draw(this);
}

void TPoly::SetColorBrush(TColor c) {
  if (StoreChanged(FColorBrush, c)) Draw(this);
}

void TPoly::SetColorPen(TColor c) {
  if (StoreChanged(FColorPen, c)) Draw(this);
}

void TPoly::SetCount(int count) {
  if (count < 1 || count > MaxCount) return;
  if (StoreChanged(FCount, count)) Draw(this);
}

void TPoly::SetManual(bool manual) {
  if (StoreChanged(FManual, manual)) Draw(this);
}

void TPoly::SetRotation(double degrees) {
  if (StoreChanged(FRotation, std::isfinite(degrees) ? degrees : 0.0)) Draw(this);
}

void TPoly::SetWidthPen(int width) {
  if (StoreChanged(FWidthPen, width)) Draw(this);
}

void TPoly::Draw(TComponent*) {
  TPnlImg::PanelResize(this);
  TVekImage& image = Image();
  image.Fill(FColorBack);
  const int xc = ValueXc(), yc = ValueYc();
  const double r = ValueR();
  std::vector<TPoint> points(static_cast<std::size_t>(FCount));
  for (int i = 0; i < FCount; ++i) points[static_cast<std::size_t>(i)] = PointValue(i, xc, yc, r);
  TCanvas& canvas = image.Canvas();
  canvas.Brush.Color = FColorBrush;
  canvas.Pen.Color = FColorPen;
  canvas.Pen.Width = FWidthPen;
  canvas.Polygon(points);
  canvas.Pen.Width = 1;
  if (OnBeforeDraw) OnBeforeDraw(this, xc, yc, r);
}

int TPoly::ValueXc() const { return Image().Width() / 2; }

int TPoly::ValueYc() const { return Image().Height() / 2; }

double TPoly::ValueR() const { return 0.45 * std::min(Image().Width(), Image().Height()); }

TPoint TPoly::PointValue(int i, int xc, int yc, double r) {
  if (FManual) {
    TPoint p{xc, yc};
    PointValueManual((i % FCount + FCount) % FCount, xc, yc, r, p);
    return p;
  }
  const double a = 2.0 * i * kPi / FCount + FRotation * kPi / 180;
  return {Truncate(xc + r * std::cos(a)), Truncate(yc + r * std::sin(a))};
}

void TPoly::PointValueManual(int i, int xc, int yc, double r, TPoint& p) {
  if (OnGetPointValue) OnGetPointValue(this, i, xc, yc, r, p);
}

double TPoly::ContLenI(int i, int xc, int yc, double r) {
  const TPoint p = PointValue(i, xc, yc, r);
  const TPoint q = PointValue(Next(i), xc, yc, r);
  return Distance(p.X, p.Y, q.X, q.Y);
}

double TPoly::ContLen(int xc, int yc, double r) {
  double length = 0;
  for (int i = 0; i < FCount; ++i) length += ContLenI(i, xc, yc, r);
  return length;
}

TPoly::TOutlinePlace TPoly::Locate(double t, int xc, int yc, double r) {
  const double length = ContLen(xc, yc, r);
  // Without a perimeter every fraction is at vertex 0.
  if (!(length > 0)) return {0, 1};
  t = WrapFraction(t);
  if (t < 0) {
    // Behind vertex 0, along edge 0 backwards; an edge without length has no direction.
    const double edge = ContLenI(0, xc, yc, r);
    return {0, edge > 0 ? (edge - t * length) / edge : 1};
  }
  const double target = t * length;
  double reached = 0;
  for (int i = 0; i < FCount; ++i) {
    const double edge = ContLenI(i, xc, yc, r);
    reached += edge;
    if (target < reached) return {i, std::clamp((reached - target) / edge, 0.0, 1.0)};
  }
  // Rounding put the target at the very end of the outline: the end of the last edge.
  return {FCount - 1, 0};
}

TPoint TPoly::ContPoint(double t, int xc, int yc, double r) {
  const TOutlinePlace place = Locate(t, xc, yc, r);
  const TPoint p = PointValue(place.Edge, xc, yc, r);
  const TPoint q = PointValue(Next(place.Edge), xc, yc, r);
  return {Between(q.X, p.X, place.Beyond), Between(q.Y, p.Y, place.Beyond)};
}

int TPoly::ContPointGet(double t, int xc, int yc, double r) {
  const TOutlinePlace place = Locate(t, xc, yc, r);
  return place.Beyond > 0.5 ? place.Edge : Next(place.Edge);
}
