#include "BackendChoice.h"

#include <cstdlib>

#include "framework/platform/wayland/WaylandWindowSystem.h"
#include "framework/platform/x11/X11WindowSystem.h"

namespace {

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

bool Switch(const char* name) {
  const std::string value = Variable(name);
  return !value.empty() && value != "0";
}

}  // namespace

TBackendEnvironment TBackendEnvironment::OfProcess() {
  TBackendEnvironment environment;
  environment.Forced = Variable("QUENBREL_BACKEND");
  environment.WaylandDisplay = Variable("WAYLAND_DISPLAY");
  environment.NoLayerShell = Switch("QUENBREL_WAYLAND_NO_LAYER_SHELL");
  environment.NoDecorations = Switch("QUENBREL_WAYLAND_NO_DECORATIONS");
  return environment;
}

std::vector<TBackend> BackendsToTry(const TBackendEnvironment& environment, TBackendUse use) {
  if (use == TBackendUse::X11Only || environment.Forced == "x11") return {TBackend::X11};
  if (environment.Forced == "wayland") return {TBackend::Wayland};
  if (!environment.Forced.empty())
    throw EDisplayError("QUENBREL_BACKEND is \"" + environment.Forced + "\", not wayland or x11");
  if (environment.WaylandDisplay.empty()) return {TBackend::X11};
  return {TBackend::Wayland, TBackend::X11};
}

std::shared_ptr<TWindowSystem> OpenWindowSystem(TBackendUse use) {
  const TBackendEnvironment environment = TBackendEnvironment::OfProcess();
  std::string failure;
  for (const TBackend backend : BackendsToTry(environment, use)) {
    if (backend == TBackend::X11) return std::make_shared<TX11WindowSystem>(failure);
    TWaylandWindowSystem::TOptions options;
    options.UseLayerShell = !environment.NoLayerShell;
    options.UseServerFrames = !environment.NoDecorations;
    if (auto system = TWaylandWindowSystem::Connect(options, failure)) return system;
  }
  throw EDisplayError(failure);
}
