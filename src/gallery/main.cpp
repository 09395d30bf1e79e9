// zzQuenbrel-gallery: every component of the library live, on a Wayland compositor or an X11
// display.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "framework/platform/backends/BackendChoice.h"
#include "gallery/GalleryStartup.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv, argv + argc);
  try {
    return GalleryMain(arguments, OpenWindowSystem(TBackendUse::WaylandOrX11));
  } catch (const EDisplayError& error) {
    std::fprintf(stderr, "zzQuenbrel-gallery: %s\n", error.what());
    return 1;
  }
}
