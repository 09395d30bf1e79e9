#include "MulDiv.h"

#include <cstdint>
#include <cstdlib>
#include <limits>

int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  const std::int64_t product = std::int64_t{number} * numerator;
  const std::int64_t divisor = std::llabs(denominator);
  const std::int64_t magnitude = std::llabs(product);
  std::int64_t quotient = magnitude / divisor;
  if (2 * (magnitude % divisor) >= divisor) ++quotient;
  const bool negative = (product < 0) != (denominator < 0);
  const std::int64_t result = negative ? -quotient : quotient;
  if (result < std::numeric_limits<int>::min() || result > std::numeric_limits<int>::max()) return -1;
  return static_cast<int>(result);
}
