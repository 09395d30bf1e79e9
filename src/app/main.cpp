// zzQuenbrel.scr: the screen saver on the X11 display.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/Startup.h"
#include "framework/platform/x11/X11WindowSystem.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv, argv + argc);
  try {
    return QuenbrelMain(arguments, std::make_unique<TX11WindowSystem>());
  } catch (const EDisplayError& error) {
    // There is no screen to show it on.
    std::fprintf(stderr, "zzQuenbrel.scr: %s\n", error.what());
    return 1;
  }
}
