#include "ShapeRasterizer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

namespace {

// Coordinates beyond this are pulled in, so that the arithmetic below cannot overflow.
// Nothing that far away is ever visible.
constexpr long long kFarAway = 1 << 24;

long long Tame(long long v) { return std::clamp(v, -kFarAway, kFarAway); }

// Inclusive pixel interval of one row.
struct TRun {
  long long First;
  long long Last;
};

void Emit(const TSpanSink& sink, const TRect& limit, long long y, long long x1, long long x2) {
  if (y < limit.Top || y >= limit.Bottom) return;
  x1 = std::max<long long>(x1, limit.Left);
  x2 = std::min<long long>(x2, limit.Right);
  if (x1 < x2) sink(static_cast<int>(y), static_cast<int>(x1), static_cast<int>(x2));
}

// Emits run minus hole (both inclusive; hole may be empty or stick out of run).
void EmitDifference(const TSpanSink& sink, const TRect& limit, long long y, TRun run, std::optional<TRun> hole) {
  if (!hole || hole->First > hole->Last) {
    Emit(sink, limit, y, run.First, run.Last + 1);
    return;
  }
  Emit(sink, limit, y, run.First, std::min(hole->First, run.Last + 1));
  Emit(sink, limit, y, std::max(hole->Last + 1, run.First), run.Last + 1);
}

// Walks the pixels of the line a..b (steps of them, starting at a) whose major coordinate lies
// in [lo, hi]. Each minor coordinate is the exact rounding of the ideal line.
template <typename Visit>
void WalkLine(long long ax, long long ay, long long bx, long long by, long long steps, long long lo, long long hi,
              Visit visit) {
  const long long dx = bx - ax, dy = by - ay;
  const long long adx = std::llabs(dx), ady = std::llabs(dy);
  const long long major = std::max(adx, ady);
  if (major == 0) {
    if (steps > 0) visit(ax, ay);
    return;
  }
  const bool xMajor = adx >= ady;
  const long long minorDelta = xMajor ? ady : adx;
  const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
  const long long start = xMajor ? ax : ay;
  const int majorSign = xMajor ? sx : sy;
  long long first = 0, last = steps - 1;
  if (majorSign > 0) {
    first = std::max(first, lo - start);
    last = std::min(last, hi - start);
  } else {
    first = std::max(first, start - hi);
    last = std::min(last, start - lo);
  }
  for (long long i = first; i <= last; ++i) {
    const long long minor = (2 * i * minorDelta + major) / (2 * major);
    if (xMajor) visit(ax + sx * i, ay + sy * minor);
    else visit(ax + sx * minor, ay + sy * i);
  }
}

// The pixel offsets covered by a round pen of the given width, row by row, relative to the
// pen's centre pixel.
std::vector<TRun> PenTip(int width) {
  const int half = (width - 1) / 2;
  const double centre = (width - 1) / 2.0;
  const double radiusSquared = width * width / 4.0;
  std::vector<TRun> rows;
  for (int row = 0; row < width; ++row) {
    const double dy = row - centre;
    const double extent = std::sqrt(std::max(0.0, radiusSquared - dy * dy));
    const auto first = static_cast<long long>(std::ceil(centre - extent));
    const auto last = static_cast<long long>(std::floor(centre + extent));
    rows.push_back({first - half, last - half});
  }
  return rows;
}

// The inclusive pixels of row y that lie in the ellipse fitting box, or nothing above or
// below it. A pixel belongs when its centre does; every row keeps at least its middle pixel,
// so that thin ellipses stay connected.
std::optional<TRun> EllipseRow(long long left, long long top, long long right, long long bottom, long long y) {
  if (right <= left || y < top || y >= bottom) return std::nullopt;
  const double a = (right - left) / 2.0, b = (bottom - top) / 2.0;
  const double cx = left + a, cy = top + b;
  const double dy = (y + 0.5 - cy) / b;
  const double extent = a * std::sqrt(std::max(0.0, 1.0 - dy * dy));
  auto first = static_cast<long long>(std::ceil(cx - extent - 0.5));
  auto last = static_cast<long long>(std::floor(cx + extent - 0.5));
  if (first > last) {
    first = static_cast<long long>(std::ceil(cx - 1));
    last = static_cast<long long>(std::floor(cx));
  }
  return TRun{std::max(first, left), std::min(last, right - 1)};
}

std::optional<TRun> Intersect(std::optional<TRun> a, std::optional<TRun> b) {
  if (!a || !b) return std::nullopt;
  return TRun{std::max(a->First, b->First), std::min(a->Last, b->Last)};
}

}  // namespace

TRect NormalizedRect(int x1, int y1, int x2, int y2) {
  return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

void RasterizeThinLine(TPoint a, TPoint b, const TRect& limit, const TSpanSink& sink) {
  const long long ax = Tame(a.X), ay = Tame(a.Y), bx = Tame(b.X), by = Tame(b.Y);
  const long long steps = std::max(std::llabs(bx - ax), std::llabs(by - ay));
  const bool xMajor = std::llabs(bx - ax) >= std::llabs(by - ay);
  const long long lo = xMajor ? limit.Left : limit.Top;
  const long long hi = (xMajor ? limit.Right : limit.Bottom) - 1;
  WalkLine(ax, ay, bx, by, steps, lo, hi, [&](long long x, long long y) { Emit(sink, limit, y, x, x + 1); });
}

void RasterizeWideLine(TPoint a, TPoint b, int width, const TRect& limit, const TSpanSink& sink) {
  if (limit.IsEmpty()) return;
  const long long ax = Tame(a.X), ay = Tame(a.Y), bx = Tame(b.X), by = Tame(b.Y);
  const std::vector<TRun> tip = PenTip(width);
  const long long half = (width - 1) / 2;
  // The union of round tips along a straight path is convex: one run per row suffices.
  std::vector<std::optional<TRun>> rows(static_cast<std::size_t>(limit.Height()));
  auto stamp = [&](long long x, long long y) {
    for (std::size_t r = 0; r < tip.size(); ++r) {
      const long long row = y - half + static_cast<long long>(r) - limit.Top;
      if (row < 0 || row >= limit.Height()) continue;
      auto& run = rows[static_cast<std::size_t>(row)];
      const TRun here{x + tip[r].First, x + tip[r].Last};
      run = run ? TRun{std::min(run->First, here.First), std::max(run->Last, here.Last)} : here;
    }
  };
  const long long steps = std::max(std::llabs(bx - ax), std::llabs(by - ay)) + 1;
  const bool xMajor = std::llabs(bx - ax) >= std::llabs(by - ay);
  const long long lo = (xMajor ? limit.Left : limit.Top) - width;
  const long long hi = (xMajor ? limit.Right : limit.Bottom) + width;
  WalkLine(ax, ay, bx, by, steps, lo, hi, stamp);
  for (std::size_t r = 0; r < rows.size(); ++r)
    if (rows[r]) Emit(sink, limit, limit.Top + static_cast<long long>(r), rows[r]->First, rows[r]->Last + 1);
}

void RasterizePolygon(const std::vector<TPointF>& points, const TRect& limit, const TSpanSink& sink) {
  if (points.size() < 3 || limit.IsEmpty()) return;
  double minY = points[0].Y, maxY = points[0].Y;
  for (const TPointF& p : points) {
    minY = std::min(minY, p.Y);
    maxY = std::max(maxY, p.Y);
  }
  const int firstRow = static_cast<int>(std::max<double>(limit.Top, std::floor(minY)));
  const int lastRow = static_cast<int>(std::min<double>(limit.Bottom - 1, std::ceil(maxY)));
  std::vector<double> crossings;
  for (int y = firstRow; y <= lastRow; ++y) {
    const double centre = y + 0.5;
    crossings.clear();
    for (std::size_t i = 0; i < points.size(); ++i) {
      const TPointF& p = points[i];
      const TPointF& q = points[(i + 1) % points.size()];
      if ((p.Y <= centre) == (q.Y <= centre)) continue;
      crossings.push_back(p.X + (centre - p.Y) * (q.X - p.X) / (q.Y - p.Y));
    }
    std::sort(crossings.begin(), crossings.end());
    for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
      // Pixels whose centre x + 0.5 lies in [enter, leave).
      const double enter = std::clamp(std::ceil(crossings[i] - 0.5), double(limit.Left), double(limit.Right));
      const double leave = std::clamp(std::ceil(crossings[i + 1] - 0.5), double(limit.Left), double(limit.Right));
      Emit(sink, limit, y, static_cast<long long>(enter), static_cast<long long>(leave));
    }
  }
}

void RasterizeRectangle(const TRect& box, int penWidth, const TRect& limit, const TSpanSink& outline,
                        const TSpanSink& inside) {
  if (box.IsEmpty()) return;
  const long long half = (penWidth - 1) / 2;
  const long long left = Tame(box.Left) - half, top = Tame(box.Top) - half;
  const long long right = Tame(box.Right) - 1 - half + penWidth, bottom = Tame(box.Bottom) - 1 - half + penWidth;
  const long long innerLeft = left + penWidth, innerRight = right - penWidth;
  const long long innerTop = top + penWidth, innerBottom = bottom - penWidth;
  const long long firstRow = std::max<long long>(top, limit.Top);
  const long long lastRow = std::min<long long>(bottom, limit.Bottom);
  for (long long y = firstRow; y < lastRow; ++y) {
    const bool besideHole = y >= innerTop && y < innerBottom && innerLeft < innerRight;
    if (!besideHole) {
      Emit(outline, limit, y, left, right);
      continue;
    }
    Emit(outline, limit, y, left, innerLeft);
    Emit(inside, limit, y, innerLeft, innerRight);
    Emit(outline, limit, y, innerRight, right);
  }
}

void RasterizeEllipse(const TRect& box, int penWidth, const TRect& limit, const TSpanSink& outline,
                      const TSpanSink& inside) {
  if (box.IsEmpty()) return;
  const long long half = (penWidth - 1) / 2;
  const long long left = Tame(box.Left) - half, top = Tame(box.Top) - half;
  const long long right = Tame(box.Right) - half + penWidth - 1, bottom = Tame(box.Bottom) - half + penWidth - 1;
  const long long firstRow = std::max<long long>(top, limit.Top);
  const long long lastRow = std::min<long long>(bottom, limit.Bottom);
  for (long long y = firstRow; y < lastRow; ++y) {
    const auto row = EllipseRow(left, top, right, bottom, y);
    if (!row) continue;
    std::optional<TRun> hole;
    if (penWidth == 1) {
      // A one-pixel outline: the pixels with a neighbour outside the ellipse.
      hole =
          Intersect(Intersect(EllipseRow(left, top, right, bottom, y - 1), EllipseRow(left, top, right, bottom, y + 1)),
                    TRun{row->First + 1, row->Last - 1});
    } else {
      hole = EllipseRow(left + penWidth, top + penWidth, right - penWidth, bottom - penWidth, y);
      if (hole) hole = Intersect(hole, row);
    }
    EmitDifference(outline, limit, y, *row, hole);
    if (hole && hole->First <= hole->Last) Emit(inside, limit, y, hole->First, hole->Last + 1);
  }
}
