#include "idle/IdleTimeLooks.h"

long TIdleTimeLooks::Look(long now, long idleTime, TIdleEvents& events) {
  const long lastInput = now - idleTime;
  if (FIdle && lastInput > FLastInput + kClockSlack) {
    FIdle = false;
    events.Active();
  }
  FLastInput = lastInput;
  if (!FIdle && idleTime >= FThreshold) {
    FIdle = true;
    events.Idle();
  }
  return FIdle ? FThreshold : FThreshold - idleTime;
}
