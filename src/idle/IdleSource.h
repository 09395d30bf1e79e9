#pragma once
#include <stdexcept>
#include <string>

// Where a source reports the session's idle and active times.
class TIdleEvents {
 public:
  virtual ~TIdleEvents() = default;
  // The session has been idle for the time asked.
  virtual void Idle() = 0;
  // The user is back, after an idle report.
  virtual void Active() = 0;
};

// One way to learn of the session's idle time: a connection that sleeps on its descriptor until
// the session tells it something.
class TIdleSource {
 public:
  virtual ~TIdleSource() = default;
  virtual int Descriptor() const = 0;
  // How long the caller may sleep on the descriptor before calling Dispatch anyway, in
  // milliseconds; -1 for as long as it stays silent.
  virtual int WakeAfter() const { return -1; }
  // Reads what has arrived and reports it. Throws TSessionGone when the session has ended.
  virtual void Dispatch(TIdleEvents& events) = 0;
  // Whether the session asks to stay awake now; the Wayland protocols decide this themselves.
  virtual bool IdleInhibited() { return false; }
};

// The compositor, the bus or the X server has gone: the session is over or broken.
class TSessionGone : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
