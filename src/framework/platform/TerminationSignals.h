#pragma once
#include <signal.h>

// SIGTERM, SIGINT and SIGHUP as readable data on a descriptor (signalfd) instead of
// handlers: the message loop polls it beside the display connection and ends by the ordinary path.
class TTerminationSignals {
 public:
  TTerminationSignals();
  ~TTerminationSignals();
  TTerminationSignals(const TTerminationSignals&) = delete;
  TTerminationSignals& operator=(const TTerminationSignals&) = delete;

  int Fd() const { return FFd; }
  // Consumes the signals that arrived; true when there was at least one.
  bool TakeArrived();

 private:
  sigset_t FPreviousMask;
  int FFd = -1;
};
