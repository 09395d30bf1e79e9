// zzQuenbrel-idle: starts the saver whenever the session has been idle for a while.
#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

#include "idle/Autostart.h"
#include "idle/CommandLine.h"
#include "idle/IdleRunner.h"
#include "idle/IdleSource.h"
#include "idle/SaverProgram.h"
#include "idle/SessionLock.h"
#include "idle/gnome/MutterIdleSource.h"
#include "idle/wayland/WaylandIdleSource.h"
#include "idle/x11/X11IdleSource.h"

namespace {

constexpr const char* kUsage =
    "Usage: zzQuenbrel-idle SECONDS      start the saver after SECONDS of idle time, for as long as\n"
    "                                    the session lasts\n"
    "       zzQuenbrel-idle --enable SECONDS   do so in every session from the next on\n"
    "       zzQuenbrel-idle --disable          no longer do so\n";

void Say(const std::string& line) { std::printf("zzQuenbrel-idle: %s\n", line.c_str()); }

// The session's first idle source, in order of preference.
std::unique_ptr<TIdleSource> ConnectIdleSource(unsigned seconds) {
  if (auto wayland = ConnectWaylandIdle(seconds)) return wayland;
  if (auto mutter = ConnectMutterIdle(seconds)) return mutter;
  return ConnectX11Idle(seconds);
}

// The saver the runner starts, and the signals that tell of its end and of this program's.
class TWatcher final : public TIdleSession, public TIdleEvents {
 public:
  TWatcher(std::filesystem::path saver, TIdleSource& source) : FSaver(std::move(saver)), FSource(source) {}
  ~TWatcher() override { StopSaver(); }

  // The exit code once the session or a signal ends it.
  int Run(int signals);

 private:
  bool IdleInhibited() override { return FSource.IdleInhibited(); }
  void StartSaver() override { FSaverPid = ::StartSaver(FSaver); }
  void Idle() override;
  void Active() override { FRunner.Active(); }
  // False when the saver has failed too often to start again.
  bool ReapSaver();
  void StopSaver();

  std::filesystem::path FSaver;
  TIdleSource& FSource;
  TIdleRunner FRunner{*this};
  pid_t FSaverPid = -1;
};

void TWatcher::Idle() {
  switch (FRunner.Idle()) {
    case TIdleOutcome::SaverStarted: Say("the session is idle: started " + FSaver.string()); break;
    case TIdleOutcome::Inhibited:
      Say("the session is idle, but asked to stay awake: the saver waits for the next idle time");
      break;
    case TIdleOutcome::AwaitingActivity:
    case TIdleOutcome::SaverAlreadyRunning: break;
  }
}

bool TWatcher::ReapSaver() {
  int status = 0;
  if (FSaverPid < 0 || waitpid(FSaverPid, &status, WNOHANG) != FSaverPid) return true;
  FSaverPid = -1;
  const bool failed = !WIFEXITED(status) || WEXITSTATUS(status) != 0;
  Say(failed ? "the saver failed" : "the saver ended");
  return FRunner.SaverEnded(failed);
}

void TWatcher::StopSaver() {
  if (FSaverPid < 0) return;
  kill(FSaverPid, SIGTERM);
  waitpid(FSaverPid, nullptr, 0);
  FSaverPid = -1;
}

int TWatcher::Run(int signals) {
  for (;;) {
    pollfd watched[] = {{FSource.Descriptor(), POLLIN, 0}, {signals, POLLIN, 0}};
    if (poll(watched, 2, FSource.WakeAfter()) < 0) continue;  // EINTR: nothing to do
    if (watched[1].revents & POLLIN) {
      signalfd_siginfo info{};
      if (read(signals, &info, sizeof info) == sizeof info && info.ssi_signo != SIGCHLD) return 0;
      if (!ReapSaver()) {
        std::fprintf(stderr, "zzQuenbrel-idle: %s failed %d times in a row; giving up\n", FSaver.c_str(),
                     TIdleRunner::kFailuresToGiveUp);
        return 1;
      }
    }
    if (watched[0].revents != 0 || !(watched[1].revents & POLLIN)) FSource.Dispatch(*this);
  }
}

int Watch(unsigned seconds) {
  const char* path = std::getenv("PATH");
  const std::filesystem::path saver = FindSaver(OwnProgram().parent_path(), path ? path : "", QUENBREL_HACK_DIR);
  if (saver.empty())
    throw std::runtime_error("zzQuenbrel.scr is neither beside this program, nor on PATH, nor in " QUENBREL_HACK_DIR);
  const TSessionLock lock(SessionLockPath());
  // Read from a descriptor, so that one poll sleeps on the session and the signals together.
  sigset_t handled;
  sigemptyset(&handled);
  for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGCHLD}) sigaddset(&handled, signal);
  sigprocmask(SIG_BLOCK, &handled, nullptr);
  const int signals = signalfd(-1, &handled, SFD_CLOEXEC);
  if (signals < 0) throw std::runtime_error(std::string("cannot read signals: ") + std::strerror(errno));
  std::unique_ptr<TIdleSource> source = ConnectIdleSource(seconds);
  if (!source)
    throw std::runtime_error(
        "no idle time to follow: no Wayland compositor with an idle protocol, no Mutter idle monitor on the session "
        "bus and no X server with the screen-saver extension");
  TWatcher watcher(saver, *source);
  return watcher.Run(signals);
}

int Enable(unsigned seconds) {
  EnableAutostart(OwnProgram(), seconds);
  Say("the saver starts after " + std::to_string(seconds) + " idle seconds from the next session on (" +
      AutostartEntryPath().string() + ")");
  return 0;
}

int Disable() {
  Say(DisableAutostart() ? "removed " + AutostartEntryPath().string() : "was not enabled");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Lines reach a log or a pipe as they are written.
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  const TIdleCommand command = ParseIdleCommand(argc, argv);
  if (!command.Error.empty()) {
    std::fprintf(stderr, "zzQuenbrel-idle: %s (see zzQuenbrel-idle --help)\n", command.Error.c_str());
    return 2;
  }
  try {
    switch (command.Action) {
      case TIdleCommand::TAction::Help: std::fputs(kUsage, stdout); return 0;
      case TIdleCommand::TAction::Enable: return Enable(command.Seconds);
      case TIdleCommand::TAction::Disable: return Disable();
      case TIdleCommand::TAction::Watch: return Watch(command.Seconds);
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "zzQuenbrel-idle: %s\n", error.what());
  }
  return 1;
}
