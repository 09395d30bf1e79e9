#include "KeyRepeat.h"

#include <algorithm>

namespace {

// Beyond a thousand a second the loop could not keep up anyway.
constexpr int kMaxRate = 1000;
// A minute's delay is as good as none.
constexpr int kMaxDelayMs = 60000;

}  // namespace

void TKeyRepeat::Configure(int ratePerSecond, int delayMs) {
  FIntervalMs = ratePerSecond > 0 ? 1000 / std::min(ratePerSecond, kMaxRate) : 0;
  FDelayMs = std::clamp(delayMs, 0, kMaxDelayMs);
  if (FIntervalMs == 0) Stop();
}

void TKeyRepeat::Pressed(std::uint32_t key, std::int64_t nowMs) {
  if (FIntervalMs == 0) return;
  FKey = key;
  FDue = nowMs + FDelayMs;
}

void TKeyRepeat::Released(std::uint32_t key) {
  if (key == FKey) Stop();
}

bool TKeyRepeat::Take(std::int64_t nowMs, std::uint32_t& key) {
  if (FDue == Never || nowMs < FDue) return false;
  key = FKey;
  FDue += FIntervalMs;
  if (FDue <= nowMs) FDue = nowMs + FIntervalMs;
  return true;
}
