#pragma once
#include <algorithm>
#include <climits>
#include <cstdint>

// A coordinate worked out in 64 bits, brought into int's range: what lies far outside a
// picture stays far outside instead of wrapping round into it.
inline int SaturateToInt(std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX)); }
