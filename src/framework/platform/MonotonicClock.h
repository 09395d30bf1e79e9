#pragma once
#include <time.h>

#include <cstdint>

// Milliseconds of the system's monotonic clock: the time of the real backends' loops.
inline std::int64_t MonotonicMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}
