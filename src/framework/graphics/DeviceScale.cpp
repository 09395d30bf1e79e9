#include "DeviceScale.h"

#include <algorithm>
#include <cmath>

namespace {

// Far beyond any bitmap, yet far from overflowing when sizes are added.
constexpr double kFarAway = 1 << 29;

int Clamped(double v) { return static_cast<int>(std::clamp(v, -kFarAway, kFarAway)); }

}  // namespace

TDeviceScale::TDeviceScale(double factor, TPoint origin)
    : FFactor(factor > 0 ? factor : 1.0), FOrigin(origin), FDeviceOrigin{Edge(0, origin.X), Edge(0, origin.Y)} {}

bool TDeviceScale::IsWhole() const { return FFactor == std::floor(FFactor); }

int TDeviceScale::Edge(int c, int origin) const {
  if (IsIdentity()) return c + origin;
  return Clamped(std::floor((double(c) + origin) * FFactor + 0.5));
}

// The logical coordinate whose edge is the last at or before `device` (or, `up`, the first at
// or after it).
int TDeviceScale::Back(int device, int origin, int deviceOrigin, bool up) const {
  if (IsIdentity()) return device;
  const double absolute = double(device) + deviceOrigin;
  // The quotient is off by at most one edge either way; far away, where edges are clamped,
  // the steps stop there.
  int c = Clamped(std::floor(absolute / FFactor)) - origin;
  for (int step = 0; step < 2 && Edge(c + 1, origin) <= absolute; ++step) ++c;
  for (int step = 0; step < 2 && Edge(c, origin) > absolute; ++step) --c;
  if (up && Edge(c, origin) < absolute) ++c;
  return c;
}

TRect TDeviceScale::Logical(const TRect& device) const {
  if (IsIdentity()) return device;
  return {Back(device.Left, FOrigin.X, FDeviceOrigin.X, false), Back(device.Top, FOrigin.Y, FDeviceOrigin.Y, false),
          Back(device.Right, FOrigin.X, FDeviceOrigin.X, true), Back(device.Bottom, FOrigin.Y, FDeviceOrigin.Y, true)};
}

int TDeviceScale::Length(int logical) const {
  if (IsIdentity()) return logical;
  return std::max(1, Clamped(std::floor(logical * FFactor + 0.5)));
}

int TDeviceScale::LogicalLength(int device) const {
  if (IsIdentity()) return device;
  return Clamped(std::floor(device / FFactor + 0.5));
}
