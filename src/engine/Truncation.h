#pragma once
#include <cmath>
#include <cstdint>

// trunc(v) as an integer, for v within the int32 range. A plain cast switches the x87
// rounding mode twice, which some processors serialise: on those it cost twenty times the
// arithmetic around it. Rounding to nearest in the current mode and stepping back toward zero
// gives the same integer.
inline std::int32_t TruncToInt(long double v) {
  const auto nearest = static_cast<std::int32_t>(std::lrint(v));
  const auto back = static_cast<long double>(nearest);
  if (v >= 0 && back > v) return nearest - 1;
  if (v < 0 && back < v) return nearest + 1;
  return nearest;
}
