// zzQuenbrel-gallery: every component of the library live, on the X11 display.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "framework/platform/x11/X11WindowSystem.h"
#include "gallery/GalleryStartup.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv, argv + argc);
  try {
    return GalleryMain(arguments, std::make_shared<TX11WindowSystem>());
  } catch (const EDisplayError& error) {
    std::fprintf(stderr, "zzQuenbrel-gallery: %s\n", error.what());
    return 1;
  }
}
