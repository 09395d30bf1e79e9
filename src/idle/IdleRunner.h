#pragma once

// What the runner asks of the session: behind an interface so that tests play the session.
class TIdleSession {
 public:
  virtual ~TIdleSession() = default;
  // Whether something asks the session to stay awake (a video playing, a screen-saver daemon
  // that is the host here).
  virtual bool IdleInhibited() = 0;
  virtual void StartSaver() = 0;
};

// What happened on an idle report, for the log line and the tests.
enum class TIdleOutcome { SaverStarted, Inhibited, AwaitingActivity, SaverAlreadyRunning };

// Starts the saver when the session goes idle and arms again once it has ended. A saver that
// ends while nobody has touched the session (it failed, or someone else ended it) is started
// again only after the user has been active and idle once more, so a saver that exits at once
// is never restarted in a loop.
class TIdleRunner {
 public:
  // A saver that fails this many times in a row is not worth starting again.
  static constexpr int kFailuresToGiveUp = 3;

  explicit TIdleRunner(TIdleSession& session) : FSession(session) {}

  TIdleOutcome Idle();
  void Active();
  // `failed`: it ended with an error or by a signal it did not ask for. False when it has
  // failed kFailuresToGiveUp times in a row.
  bool SaverEnded(bool failed);
  bool SaverRunning() const { return FState == TState::SaverRunning; }

 private:
  enum class TState { Armed, SaverRunning, AwaitingActivity };

  TIdleSession& FSession;
  TState FState = TState::Armed;
  bool FActiveSinceStart = false;
  int FFailuresInARow = 0;
};
