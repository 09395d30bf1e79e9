#include "TerminationSignals.h"

#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

TTerminationSignals::TTerminationSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGTERM);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGHUP);
  // Blocked, the signals wait as pending data for the descriptor instead of killing us.
  sigprocmask(SIG_BLOCK, &signals, &FPreviousMask);
  FFd = signalfd(-1, &signals, SFD_NONBLOCK | SFD_CLOEXEC);
  if (FFd < 0) {
    const int error = errno;
    sigprocmask(SIG_SETMASK, &FPreviousMask, nullptr);
    throw std::system_error(error, std::generic_category(), "signalfd");
  }
}

TTerminationSignals::~TTerminationSignals() {
  // A signal already handled must not kill the process once unblocked.
  TakeArrived();
  close(FFd);
  sigprocmask(SIG_SETMASK, &FPreviousMask, nullptr);
}

bool TTerminationSignals::TakeArrived() {
  bool arrived = false;
  signalfd_siginfo info;
  while (read(FFd, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) arrived = true;
  return arrived;
}
