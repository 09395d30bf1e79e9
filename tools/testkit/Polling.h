#pragma once
#include <chrono>
#include <functional>
#include <thread>

// Waits until `condition` holds, checking it every few milliseconds; false when it did not
// come true within `timeout`. Generous timeouts: the machine may be busy.
inline bool WaitUntil(const std::function<bool()>& condition,
                      std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
  const auto giveUp = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > giveUp) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}
