#pragma once
#include "idle/IdleSource.h"

// What a source that can only ask the session's idle time makes of its looks. Input shows as a
// later moment of the last input (the look's moment less the idle time): an idle time that
// merely went down would miss input that came an idle time before the look. While idle, a look
// once per idle time is soon enough to start the next idle time on time.
class TIdleTimeLooks {
 public:
  explicit TIdleTimeLooks(long threshold) : FThreshold(threshold) {}

  // A look at moment `now` that found `idleTime` (both in milliseconds, `now` on a clock of the
  // caller's). Reports what changed; returns how long until the next look.
  long Look(long now, long idleTime, TIdleEvents& events);

 private:
  // The two clocks are read a round trip apart: moments closer than this are the same.
  static constexpr long kClockSlack = 100;
  long FThreshold;
  bool FIdle = false;
  long FLastInput = 0;
};
