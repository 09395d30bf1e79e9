// quenbrel-components-demo [--steps N]: the image panel and the components drawn on it, on
// the desktop's display. With --steps the animation stops after N ticks, for a still picture.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "ComponentsDemo.h"
#include "framework/platform/backends/BackendChoice.h"
#include "framework/ui/Application.h"

int main(int argc, char** argv) {
  int steps = -1;
  if (argc == 3 && std::string(argv[1]) == "--steps") steps = std::atoi(argv[2]);
  else if (argc != 1) {
    std::fprintf(stderr, "usage: quenbrel-components-demo [--steps N]\n");
    return 2;
  }
  try {
    TApplication application(OpenWindowSystem(TBackendUse::WaylandOrX11));
    application.Title = "Components";
    application.CreateForm(ComponentsDemo);
    ComponentsDemo->StepsLeft = steps;
    application.Run();
  } catch (const EDisplayError& error) {
    std::fprintf(stderr, "quenbrel-components-demo: %s\n", error.what());
    return 1;
  }
  return 0;
}
