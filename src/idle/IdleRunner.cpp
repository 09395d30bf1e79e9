#include "idle/IdleRunner.h"

TIdleOutcome TIdleRunner::Idle() {
  switch (FState) {
    case TState::SaverRunning: return TIdleOutcome::SaverAlreadyRunning;
    case TState::AwaitingActivity: return TIdleOutcome::AwaitingActivity;
    case TState::Armed: break;
  }
  // Inhibited, it waits for the next idle time: one that comes after the user was back.
  if (FSession.IdleInhibited()) {
    FState = TState::AwaitingActivity;
    return TIdleOutcome::Inhibited;
  }
  FSession.StartSaver();
  FState = TState::SaverRunning;
  FActiveSinceStart = false;
  return TIdleOutcome::SaverStarted;
}

void TIdleRunner::Active() {
  if (FState == TState::SaverRunning) FActiveSinceStart = true;
  else FState = TState::Armed;
}

bool TIdleRunner::SaverEnded(bool failed) {
  FFailuresInARow = failed ? FFailuresInARow + 1 : 0;
  // Input may reach the saver (which ends on it) before the session reports it: then the
  // activity report is still to come, and it arms.
  FState = FActiveSinceStart ? TState::Armed : TState::AwaitingActivity;
  return FFailuresInARow < kFailuresToGiveUp;
}
