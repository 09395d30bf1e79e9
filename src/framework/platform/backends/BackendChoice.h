#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/platform/WindowSystem.h"

// Which window system a program runs on. Wayland when WAYLAND_DISPLAY names a compositor
// that answers, X11 otherwise. QUENBREL_BACKEND=wayland or =x11 forces one (XWayland users,
// tests); QUENBREL_WAYLAND_NO_LAYER_SHELL=1 makes full-screen windows ordinary full-screen
// toplevels, as on compositors without the layer shell; QUENBREL_WAYLAND_NO_DECORATIONS=1
// leaves the compositor's window frames unused, as on compositors that draw none.

enum class TBackend : std::uint8_t { Wayland, X11 };

// What a program can live with: the preview's host is an X11 window, so it takes X11 only.
enum class TBackendUse : std::uint8_t { WaylandOrX11, X11Only };

// The environment variables that decide.
struct TBackendEnvironment {
  std::string Forced;          // QUENBREL_BACKEND
  std::string WaylandDisplay;  // WAYLAND_DISPLAY
  bool NoLayerShell = false;   // QUENBREL_WAYLAND_NO_LAYER_SHELL set to anything but "" or "0"
  bool NoDecorations = false;  // QUENBREL_WAYLAND_NO_DECORATIONS, likewise
  static TBackendEnvironment OfProcess();
};

// The backends to try, in order; the last one is taken as it is. Raises EDisplayError for a
// forced backend it does not know.
std::vector<TBackend> BackendsToTry(const TBackendEnvironment& environment, TBackendUse use);

// The window system of the first backend that answers (X11 opens its display on first
// use). Raises EDisplayError, saying what was tried, when none can be had.
std::shared_ptr<TWindowSystem> OpenWindowSystem(TBackendUse use);
