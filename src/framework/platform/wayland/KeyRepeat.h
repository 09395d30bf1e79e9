#pragma once
#include <cstdint>

#include "framework/platform/WindowSystem.h"

// A key held down is typed again: first after the compositor's delay, then at its rate, as
// long as it stays down. Driven by the loop's clock: the loop waits no longer than Due().
class TKeyRepeat {
 public:
  static constexpr std::int64_t Never = TWindowSystem::NoDeadline;

  // Characters a second and the wait before the first; a rate of 0 repeats nothing.
  void Configure(int ratePerSecond, int delayMs);
  // A key that repeats went down: it repeats from now on, in place of any other.
  void Pressed(std::uint32_t key, std::int64_t nowMs);
  // A key came up: the repeating stops when it was that key.
  void Released(std::uint32_t key);
  void Stop() { FDue = Never; }

  // When the next repeat is due, or Never.
  std::int64_t Due() const { return FDue; }
  // The key to type again when a repeat is due by `nowMs`. A late repeat comes once: the
  // repeats a busy loop missed are not made up.
  bool Take(std::int64_t nowMs, std::uint32_t& key);

 private:
  int FIntervalMs = 0;
  int FDelayMs = 0;
  std::uint32_t FKey = 0;
  std::int64_t FDue = Never;
};
