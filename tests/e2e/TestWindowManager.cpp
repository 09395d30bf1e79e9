#include "TestWindowManager.h"

#include <chrono>
#include <stdexcept>

#include "testkit/Polling.h"

namespace {

// Openbox names itself on the root window before its start is over, and a window mapped
// meanwhile may stay unmapped for good: it is ready once it has mapped a window that
// asked for it.
bool MapsWindows(TTestDisplay& client) {
  for (int attempt = 0; attempt < 20; ++attempt) {
    const Window probe = XCreateSimpleWindow(client.Handle(), client.Root(), 0, 0, 1, 1, 0, 0, 0);
    XMapWindow(client.Handle(), probe);
    TWindowGeometry geometry;
    const bool mapped = WaitUntil([&] { return client.Geometry(probe, geometry) && geometry.Viewable; },
                                  std::chrono::milliseconds(500));
    client.DestroyWindow(probe);
    if (mapped) return true;
  }
  return false;
}

}  // namespace

TTestWindowManager::TTestWindowManager(const std::string& displayName, TTestDisplay& client)
    : FProcess({"openbox", "--sm-disable"},
               {"DISPLAY=" + displayName, "HOME=" + FHome.Path(), "XDG_CONFIG_HOME=", "XDG_CACHE_HOME="}) {
  const bool named = WaitUntil(
      [&] { return !client.Property(client.Root(), "_NET_SUPPORTING_WM_CHECK").empty() || !FProcess.Running(); });
  // The first key of the test's hands makes the server tell every client of a new keyboard
  // map, and the window manager binds its keys (Alt+Tab) anew: pressed meanwhile, they would
  // be lost. A key pressed now has that behind it once the window manager maps a window.
  if (named && FProcess.Running()) client.Xdotool({"key", "shift"});
  if (!named || !FProcess.Running() || !MapsWindows(client))
    throw std::runtime_error("the window manager did not start: " + FProcess.Stderr());
}
