#pragma once
#include <sys/types.h>

#include <string>

// A virtual X server of its own for one test: -displayfd lets it pick a free display
// number, so tests that run side by side never share or clash over a display.
class TXvfb {
 public:
  explicit TXvfb(int width = 640, int height = 480);
  ~TXvfb();
  TXvfb(const TXvfb&) = delete;
  TXvfb& operator=(const TXvfb&) = delete;

  // ":N"
  const std::string& Name() const { return FName; }
  std::string DisplayVariable() const { return "DISPLAY=" + FName; }

 private:
  void Stop();

  pid_t FPid = -1;
  std::string FName;
};
