#include "ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include "testkit/EndWithParent.h"
#include "testkit/Polling.h"

extern char** environ;

namespace {

std::vector<std::string> MergedEnvironment(const std::vector<std::string>& changes) {
  std::map<std::string, std::string> variables;
  for (char** entry = environ; *entry; ++entry) {
    const std::string text = *entry;
    const std::string name = text.substr(0, text.find('='));
    // A program under test sees the displays its test gives it, never the desktop's
    // compositor (which the program would prefer to X11).
    if (name != "WAYLAND_DISPLAY") variables[name] = text;
  }
  for (const std::string& change : changes) {
    const std::string name = change.substr(0, change.find('='));
    if (change.size() == name.size() + 1) variables.erase(name);
    else variables[name] = change;
  }
  std::vector<std::string> merged;
  for (const auto& [name, entry] : variables) merged.push_back(entry);
  return merged;
}

// A new empty file for what the child writes, open for writing.
int OutputFile(std::string& path) {
  char pattern[] = "/tmp/quenbrel-output-XXXXXX";
  const int fd = mkstemp(pattern);
  if (fd < 0) throw std::runtime_error("mkstemp failed");
  path = pattern;
  return fd;
}

std::string FileText(const std::string& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& s : strings) pointers.push_back(s.data());
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

// Forked by hand rather than spawned, so that the child ends with the test whatever ends the
// test (a crash too): a compositor or server outliving it would hold its display. A pipe
// closed by a successful exec tells the test whether the program started.
TChildProcess::TChildProcess(const std::vector<std::string>& arguments, const std::vector<std::string>& environment) {
  const int stdoutFd = OutputFile(FStdoutPath), stderrFd = OutputFile(FStderrPath);
  const int stdinFd = open("/dev/null", O_RDONLY | O_CLOEXEC);
  std::vector<std::string> args = arguments, env = MergedEnvironment(environment);
  std::vector<char*> argv = Pointers(args), envp = Pointers(env);
  int started[2];
  if (stdinFd < 0 || pipe2(started, O_CLOEXEC) != 0) throw std::runtime_error("cannot start " + args[0]);
  const pid_t test = getpid();
  FPid = fork();
  const int forkError = errno;
  if (FPid == 0) {
    EndWithParent(test);
    dup2(stdinFd, STDIN_FILENO);
    dup2(stdoutFd, STDOUT_FILENO);
    dup2(stderrFd, STDERR_FILENO);
    execvpe(argv[0], argv.data(), envp.data());
    const int error = errno;
    const bool told = write(started[1], &error, sizeof error) == sizeof error;
    _exit(told ? 127 : 126);
  }
  close(started[1]);
  close(stdinFd);
  close(stdoutFd);
  close(stderrFd);
  int error = forkError;
  const bool failed = FPid < 0 || read(started[0], &error, sizeof error) == sizeof error;
  close(started[0]);
  if (failed) {
    if (FPid > 0) Reap(0);
    throw std::runtime_error("cannot start " + args[0] + ": " + std::strerror(error));
  }
}

TChildProcess::~TChildProcess() {
  if (Running()) {
    Signal(SIGKILL);
    Reap(0);
  }
  unlink(FStdoutPath.c_str());
  unlink(FStderrPath.c_str());
}

bool TChildProcess::Running() { return !FStatus && !Reap(WNOHANG); }

std::optional<int> TChildProcess::WaitExit(std::chrono::milliseconds timeout) {
  WaitUntil([this] { return !Running(); }, timeout);
  if (FStatus && WIFEXITED(*FStatus)) return WEXITSTATUS(*FStatus);
  return std::nullopt;
}

void TChildProcess::Signal(int signal) {
  if (!FStatus) kill(FPid, signal);
}

std::string TChildProcess::Stdout() const { return FileText(FStdoutPath); }

std::string TChildProcess::Stderr() const { return FileText(FStderrPath); }

bool TChildProcess::Reap(int options) {
  int status = 0;
  if (waitpid(FPid, &status, options) != FPid) return false;
  FStatus = status;
  return true;
}
