#pragma once
#include <cstdint>

#include "Control.h"

// A periodic tick on the user-interface thread. An interval below 10 ms acts as 10 ms; a
// tick that comes late fires once and the next one is counted from then, so ticks never
// pile up; input waiting in the queue is handled before a tick.
class TTimer : public TComponent {
 public:
  static constexpr int MinimumIntervalMs = 10;

  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled);
  int Interval() const { return FInterval; }
  void SetInterval(int milliseconds);
  TNotifyEvent OnTimer;

  // --- For the application's loop ---
  std::int64_t NextDue() const { return FNextDue; }
  void Tick(std::int64_t nowMs);

 private:
  void Restart();

  bool FEnabled = true;
  int FInterval = 1000;
  std::int64_t FNextDue = 0;
};
