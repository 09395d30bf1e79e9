// zzQuenbrel.scr: the screen saver, on a Wayland compositor or an X11 display.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/HostRequest.h"
#include "app/ModeSelection.h"
#include "app/Startup.h"
#include "framework/platform/backends/BackendChoice.h"

namespace {

// The preview's host is an X11 window; a run that makes no window opens no display at all.
TBackendUse BackendUseFor(const std::vector<std::string>& arguments) {
  SetProgramArguments(arguments);
  const TMode mode = SelectMode();
  return mode == TMode::Saver || mode == TMode::Settings ? TBackendUse::WaylandOrX11 : TBackendUse::X11Only;
}

int Failed(const std::exception& error) {
  std::fprintf(stderr, "zzQuenbrel.scr: %s\n", error.what());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv, argv + argc);
  try {
    return QuenbrelMain(arguments, OpenWindowSystem(BackendUseFor(arguments)));
  } catch (const EDisplayError& error) {
    // There is no screen to show it on.
    return Failed(error);
  } catch (const EHostError& error) {
    // A box would open inside the host's window, where nobody can see or close it.
    return Failed(error);
  }
}
