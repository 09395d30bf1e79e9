#pragma once
#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

// A program started for a test, its standard output and error kept in files. Killed and reaped when
// the object goes, so that no test leaves a process behind.
class TChildProcess {
 public:
  // `environment` entries ("NAME=value") replace or extend the test's own; "NAME=" with
  // nothing after it removes NAME.
  TChildProcess(const std::vector<std::string>& arguments, const std::vector<std::string>& environment = {});
  ~TChildProcess();
  TChildProcess(const TChildProcess&) = delete;
  TChildProcess& operator=(const TChildProcess&) = delete;

  pid_t Pid() const { return FPid; }
  bool Running();
  // The exit code once the process has ended by itself within `timeout`; nothing when it
  // is still running or was ended by a signal.
  std::optional<int> WaitExit(std::chrono::milliseconds timeout = std::chrono::seconds(20));
  bool Exited() const { return FStatus.has_value(); }
  void Signal(int signal);
  std::string Stdout() const;
  std::string Stderr() const;

 private:
  bool Reap(int options);

  pid_t FPid = -1;
  std::optional<int> FStatus;
  std::string FStdoutPath;
  std::string FStderrPath;
};
