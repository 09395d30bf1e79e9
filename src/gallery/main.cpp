// zzQuenbrel-gallery: every component of the library live, on the X11 display.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "framework/platform/backends/BackendChoice.h"
#include "gallery/GalleryStartup.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv, argv + argc);
  try {
    // Its menus need popups, which the Wayland backend does not make yet.
    return GalleryMain(arguments, OpenWindowSystem(TBackendUse::X11Only));
  } catch (const EDisplayError& error) {
    std::fprintf(stderr, "zzQuenbrel-gallery: %s\n", error.what());
    return 1;
  }
}
