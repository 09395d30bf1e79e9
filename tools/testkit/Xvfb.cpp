#include "Xvfb.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

#include "EndWithParent.h"
#include "Polling.h"

namespace {

constexpr int kStartTimeoutMs = 30000;

// The display number, written by the server on `fd` once it accepts connections.
std::string ReadDisplayNumber(int fd) {
  std::string number;
  pollfd readable{fd, POLLIN, 0};
  char c = 0;
  while (poll(&readable, 1, kStartTimeoutMs) == 1 && read(fd, &c, 1) == 1 && c != '\n') number += c;
  return number;
}

}  // namespace

TXvfb::TXvfb(int width, int height) {
  int fds[2];
  if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
  const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
  const pid_t test = getpid();
  FPid = fork();
  if (FPid == 0) {
    EndWithParent(test);
    close(fds[0]);
    const std::string fd = std::to_string(fds[1]);
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp", "-noreset",
           static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  const std::string number = ReadDisplayNumber(fds[0]);
  close(fds[0]);
  if (number.empty()) {
    Stop();
    throw std::runtime_error("Xvfb did not start");
  }
  FName = ":" + number;
}

TXvfb::~TXvfb() { Stop(); }

void TXvfb::Stop() {
  if (FPid <= 0) return;
  kill(FPid, SIGTERM);
  int status = 0;
  if (!WaitUntil([&] { return waitpid(FPid, &status, WNOHANG) == FPid; }, std::chrono::seconds(10))) {
    kill(FPid, SIGKILL);
    waitpid(FPid, &status, 0);
  }
  FPid = -1;
}
