#include "Font.h"

#include <cstdint>

namespace {

// value * numerator / denominator, rounded half away from zero.
int MulDivRounded(int value, int numerator, int denominator) {
  const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
  const std::int64_t half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

}  // namespace

int TFont::Size() const { return -MulDivRounded(Height, 72, ScreenPixelsPerInch); }

void TFont::SetSize(int points) { Height = -MulDivRounded(points, ScreenPixelsPerInch, 72); }
