// quenbrel-plot [--trace]: the plot component on the desktop's display, with a damped sine to zoom
// and pan. --trace writes the range of every frame to standard error.
#include <cstdio>
#include <memory>
#include <string>

#include "PlotForm.h"
#include "framework/platform/backends/BackendChoice.h"
#include "framework/ui/Application.h"

int main(int argc, char** argv) {
  const bool trace = argc > 1 && std::string(argv[1]) == "--trace";
  try {
    TApplication application(OpenWindowSystem(TBackendUse::WaylandOrX11));
    Application->Title = "quenbrel-plot";
    TPlotForm* form = nullptr;
    Application->CreateForm(form);
    form->TraceFrames = trace;
    Application->Run();
  } catch (const EDisplayError& error) {
    std::fprintf(stderr, "quenbrel-plot: %s\n", error.what());
    return 1;
  }
  return 0;
}
