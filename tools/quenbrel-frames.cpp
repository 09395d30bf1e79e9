// quenbrel-frames SECONDS [PROGRAM [ARGUMENTS...]]: counts the frames that reach the X display
// (DISPLAY) during SECONDS and prints the rate. It watches the screen from outside with the
// Damage extension, so the program measured needs no counter of its own. A frame may reach
// the screen in several bands, top to bottom: a frame counts when its bottom row is drawn.
//
// Given a program, it starts it, prints how long after the start its first complete frame
// stood on the screen, counts its frames from then on, prints its CPU time per frame and
// its resident memory, and ends it with SIGTERM. Then it times on the same display what the
// saver must do before its first frame (the effect's Resize and one NextFrame), beside.
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "EffectStart.h"

namespace {

using TClock = std::chrono::steady_clock;

// The screen's damage reports, read one complete frame at a time.
class TFrameWatch {
 public:
  TFrameWatch(Display* display, int damageEvent)
      : FDisplay(display),
        FDamageEvent(damageEvent),
        FBottom(DisplayHeight(display, DefaultScreen(display))),
        FDamage(XDamageCreate(display, DefaultRootWindow(display), XDamageReportRawRectangles)) {
    // What the screen held before counts for nothing.
    XSync(display, True);
  }
  ~TFrameWatch() { XDamageDestroy(FDisplay, FDamage); }

  // Waits for the next frame to be complete; false when `deadline` comes first.
  bool NextFrame(TClock::time_point deadline) {
    while (TClock::now() < deadline) {
      if (XPending(FDisplay) == 0) {
        pollfd readable{ConnectionNumber(FDisplay), POLLIN, 0};
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - TClock::now());
        poll(&readable, 1, static_cast<int>(left.count()) + 1);
        continue;
      }
      XEvent event;
      XNextEvent(FDisplay, &event);
      if (event.type != FDamageEvent + XDamageNotify) continue;
      const auto& notify = reinterpret_cast<const XDamageNotifyEvent&>(event);
      if (notify.area.y + notify.area.height == FBottom) return true;
    }
    return false;
  }

 private:
  Display* FDisplay;
  int FDamageEvent;
  int FBottom;
  Damage FDamage;
};

int CountFrames(TFrameWatch& watch, double seconds) {
  const auto end = TClock::now() + std::chrono::duration_cast<TClock::duration>(std::chrono::duration<double>(seconds));
  int frames = 0;
  while (watch.NextFrame(end)) ++frames;
  return frames;
}

pid_t Start(char** argv) {
  const pid_t pid = fork();
  if (pid == 0) {
    execv(argv[0], argv);
    std::perror(argv[0]);
    _exit(127);
  }
  return pid;
}

// The fields of /proc/PID/stat after the command name.
std::string StatField(pid_t pid, int field) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  std::size_t at = text.rfind(')');
  for (int i = 2; i < field && at != std::string::npos; ++i) at = text.find(' ', at + 1);
  if (at == std::string::npos) return "0";
  const std::size_t end = text.find(' ', at + 1);
  return text.substr(at + 1, end - at - 1);
}

double CpuMs(pid_t pid) {
  const double ticks = std::stod(StatField(pid, 14)) + std::stod(StatField(pid, 15));
  return 1000 * ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double ResidentMiB(pid_t pid) {
  return std::stod(StatField(pid, 24)) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024 * 1024);
}

int MeasureProgram(TFrameWatch& watch, char** program, double seconds) {
  const auto start = TClock::now();
  const pid_t pid = Start(program);
  if (!watch.NextFrame(start + std::chrono::seconds(20))) {
    std::fprintf(stderr, "quenbrel-frames: %s showed no frame in 20 s\n", program[0]);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    return 1;
  }
  const std::chrono::duration<double, std::milli> firstFrame = TClock::now() - start;
  const double cpuBefore = CpuMs(pid);
  const int frames = CountFrames(watch, seconds);
  const double cpu = CpuMs(pid) - cpuBefore;
  const double resident = ResidentMiB(pid);
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  const double effectStart = EffectStartMs();
  std::printf("first complete frame %.1f ms after the start; Resize + one NextFrame here %.1f ms (%.2f times)\n",
              firstFrame.count(), effectStart, firstFrame.count() / effectStart);
  std::printf("%d frames in %.1f s: %.1f frames/s\n", frames, seconds, frames / seconds);
  std::printf("CPU %.1f %% of one core, %.2f ms per frame; resident %.1f MiB\n", cpu / seconds / 10,
              frames ? cpu / frames : 0.0, resident);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 0;
  if (seconds <= 0) {
    std::fprintf(stderr, "usage: quenbrel-frames SECONDS [PROGRAM [ARGUMENTS...]]\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "quenbrel-frames: cannot open display \"%s\"\n", XDisplayName(nullptr));
    return 1;
  }
  int damageEvent = 0, damageError = 0;
  if (!XDamageQueryExtension(display, &damageEvent, &damageError)) {
    std::fprintf(stderr, "quenbrel-frames: the display has no Damage extension\n");
    return 1;
  }
  int status = 0;
  {
    TFrameWatch watch(display, damageEvent);
    if (argc > 2) {
      status = MeasureProgram(watch, argv + 2, seconds);
    } else {
      const int frames = CountFrames(watch, seconds);
      std::printf("%d frames in %.1f s: %.1f frames/s\n", frames, seconds, frames / seconds);
    }
  }
  XCloseDisplay(display);
  return status;
}
