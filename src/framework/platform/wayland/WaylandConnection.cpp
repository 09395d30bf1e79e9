#include "WaylandWindowSystem.h"

#include <errno.h>  // errno, program_invocation_short_name
#include <poll.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "WaylandApi.h"
#include "WaylandGlobals.h"
#include "WaylandSeat.h"
#include "framework/platform/MonotonicClock.h"
#include "framework/platform/TerminationSignals.h"

// The connection to the compositor: connecting with a deadline, and reading its events.

namespace {

std::string DisplayName() {
  const char* name = std::getenv("WAYLAND_DISPLAY");
  return name ? name : "wayland-0";  // what the library tries when none is named
}

// A compositor answers at once; one that has said nothing for this long will not.
constexpr std::int64_t kConnectWaitMs = 3000;

// The ending signal that arrived (read from the signals' descriptor), or 0.
int ArrivedSignal(int fd) {
  signalfd_siginfo info;
  return read(fd, &info, sizeof info) == static_cast<ssize_t>(sizeof info) ? static_cast<int>(info.ssi_signo) : 0;
}

}  // namespace

std::unique_ptr<TWaylandWindowSystem> TWaylandWindowSystem::Connect(const TOptions& options, std::string& failure) {
  wl_display* display = wl_display_connect(nullptr);
  if (!display) {
    failure = "no Wayland compositor answers at \"" + DisplayName() + "\"";
    return nullptr;
  }
  std::unique_ptr<TWaylandWindowSystem> system(new TWaylandWindowSystem(display, options));
  // The first round trip brings the globals, the second what the bound ones tell at once
  // (the outputs' modes, the seat's devices).
  const std::int64_t giveUp = MonotonicMs() + kConnectWaitMs;
  for (const char* what : {"its globals", "what its outputs and seat are"}) {
    if (system->RoundTrip(giveUp)) continue;
    failure = "the Wayland compositor at \"" + DisplayName() + "\" " +
              (system->FLost
                   ? "closed the connection"
                   : "did not tell " + std::string(what) + " within " + std::to_string(kConnectWaitMs / 1000) + " s");
    return nullptr;
  }
  if (!system->HasWhatWindowsNeed()) {
    failure = "the Wayland compositor at \"" + DisplayName() + "\" lacks shared memory or the shell";
    return nullptr;
  }
  // The screens as they are now are no news.
  system->FQueue.clear();
  system->FConnected = true;
  return system;
}

// Waiting for the compositor, the program still ends on the ending signals: as by the signal
// itself, there being no loop yet to end by the ordinary path.
bool TWaylandWindowSystem::RoundTrip(std::int64_t giveUp) {
  bool done = false;
  static const wl_callback_listener kDone = {
      .done = [](void* data, wl_callback*, std::uint32_t) { *static_cast<bool*>(data) = true; },
  };
  wl_callback* sync = wl_display_sync(FDisplay);
  wl_callback_add_listener(sync, &kDone, &done);
  for (std::int64_t now = MonotonicMs(); !done && !FLost && now < giveUp; now = MonotonicMs()) {
    ReadEvents(static_cast<int>(giveUp - now));
    if (const int signal = ArrivedSignal(FSignals->Fd())) {
      FSignals.reset();
      std::signal(signal, SIG_DFL);
      std::raise(signal);
    }
  }
  wl_callback_destroy(sync);
  return done;
}

void TWaylandWindowSystem::ReadEvents(int timeoutMs) {
  // Events already read but not yet handled go first; reading again would wait for more.
  while (wl_display_prepare_read(FDisplay) != 0)
    if (wl_display_dispatch_pending(FDisplay) < 0) return ConnectionLost();
  if (!FQueue.empty()) timeoutMs = 0;
  const bool sent = wl_display_flush(FDisplay) >= 0 || errno != EAGAIN;
  pollfd fds[2] = {{FSignals->Fd(), POLLIN, 0},
                   {wl_display_get_fd(FDisplay), static_cast<short>(POLLIN | (sent ? 0 : POLLOUT)), 0}};
  poll(fds, 2, timeoutMs);
  if (fds[1].revents & (POLLIN | POLLHUP | POLLERR)) {
    if (wl_display_read_events(FDisplay) < 0) return ConnectionLost();
  } else {
    wl_display_cancel_read(FDisplay);
  }
  if (wl_display_dispatch_pending(FDisplay) < 0) return ConnectionLost();
  FSeat->AfterDispatch();
}

// The compositor went away or ended the connection. The program ends at once with exit code
// 1 and a line saying why, as Xlib ends it when its display's connection breaks: the same on
// both window systems. While connecting, the caller says why instead.
void TWaylandWindowSystem::ConnectionLost() {
  if (FLost) return;
  FLost = true;
  if (!FConnected) return;
  std::fprintf(stderr, "%s: the Wayland connection is lost: %s\n", program_invocation_short_name,
               std::strerror(wl_display_get_error(FDisplay)));
  std::_Exit(1);
}
