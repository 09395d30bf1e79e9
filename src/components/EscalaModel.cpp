#include "EscalaModel.h"

#include <algorithm>
#include <cmath>

#include "framework/base/StoreChanged.h"
#include "vekutils/Vekutils.h"

namespace {

// The colour index of Maximum; Minimum's is 0.
constexpr int kTop = 510;

// From c2 at n = 0 to c1 at n = 510, each channel as two separately truncated quotients.
TColor Blend(TColor c1, TColor c2, int n) {
  if (n <= 0) return RGB(GetRValue(c2), GetGValue(c2), GetBValue(c2));
  if (n >= kTop) return RGB(GetRValue(c1), GetGValue(c1), GetBValue(c1));
  const auto mix = [n](int a, int b) { return (kTop - n) * b / kTop + n * a / kTop; };
  return RGB(mix(GetRValue(c1), GetRValue(c2)), mix(GetGValue(c1), GetGValue(c2)), mix(GetBValue(c1), GetBValue(c2)));
}

// Pure blue, through blue-green (n = 255) and green-yellow (n = 256), to pure red.
TColor Ramp(int n) {
  if (n <= 0) return RGB(0, 0, 255);
  if (n <= 255) return RGB(0, n * 150 / 255, 255 - n * 185 / 255);
  n = std::min(n, kTop) - 255;
  return RGB(70 + n * 185 / 255, 150 - n * 150 / 255, 0);
}

}  // namespace

void TEscalaModel::RangeChanged() {
  if (FMaximum - FMinimum < FInterval) FInterval = 0;
}

bool TEscalaModel::SetMaximum(double v) {
  if (!std::isfinite(v) || !StoreChanged(FMaximum, v)) return false;
  RangeChanged();
  return true;
}

bool TEscalaModel::SetMinimum(double v) {
  if (!std::isfinite(v) || !StoreChanged(FMinimum, v)) return false;
  RangeChanged();
  return true;
}

bool TEscalaModel::SetMaxMin(double max, double min) {
  if (!(std::isfinite(max) && std::isfinite(min) && max > min)) return false;
  if (max == FMaximum && min == FMinimum) return false;
  FMaximum = max;
  FMinimum = min;
  RangeChanged();
  return true;
}

bool TEscalaModel::SetInterval(double v) {
  if (!(v >= 0 && v < FMaximum - FMinimum)) return false;
  return StoreChanged(FInterval, v);
}

int TEscalaModel::ColorIndex(double v) const {
  if (v > FMaximum) v = FMaximum;
  if (v < FMinimum) v = FMinimum;
  if (FInterval > 0) {
    // Steps count from 0, not from Minimum, so a step may fall below Minimum.
    const double step = std::floor(v / FInterval) * FInterval;
    if (std::isfinite(step)) v = step;
  }
  const double range = FMaximum - FMinimum;
  if (!(range > 0)) return 0;
  return RoundToInt((v - FMinimum) * kTop / range);
}

TColor TEscalaModel::ValueToColor(double v) const {
  const int n = ColorIndex(v);
  if (Graduation == TEscalaGraduation::egThree) return Ramp(n);
  return Blend(ColorToRGB(GradColor1), ColorToRGB(GradColor2), n);
}
