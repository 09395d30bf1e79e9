#include "framework/platform/backends/BackendChoice.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>

namespace {

using Backends = std::vector<TBackend>;

TBackendEnvironment Environment(std::string forced, std::string waylandDisplay) {
  TBackendEnvironment environment;
  environment.Forced = std::move(forced);
  environment.WaylandDisplay = std::move(waylandDisplay);
  return environment;
}

TEST(BackendChoice, WaylandWhereItsDisplayIsNamedThenX11AndTheVariableForcesEither) {
  constexpr auto any = TBackendUse::WaylandOrX11;
  EXPECT_EQ(BackendsToTry(Environment("", "wayland-0"), any), (Backends{TBackend::Wayland, TBackend::X11}));
  EXPECT_EQ(BackendsToTry(Environment("", ""), any), Backends{TBackend::X11});
  EXPECT_EQ(BackendsToTry(Environment("x11", "wayland-0"), any), Backends{TBackend::X11});
  EXPECT_EQ(BackendsToTry(Environment("wayland", ""), any), Backends{TBackend::Wayland});
  EXPECT_THROW(BackendsToTry(Environment("mir", "wayland-0"), any), EDisplayError);
  // The preview's host is an X11 window, whatever the variables say.
  for (const char* forced : {"", "wayland", "x11"})
    EXPECT_EQ(BackendsToTry(Environment(forced, "wayland-0"), TBackendUse::X11Only), Backends{TBackend::X11});
}

class OpeningWithoutDisplays : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("XDG_RUNTIME_DIR", "/nonexistent", 1);
    setenv("DISPLAY", ":9999", 1);
    unsetenv("QUENBREL_BACKEND");
  }
  static std::string Failure() {
    try {
      OpenWindowSystem(TBackendUse::WaylandOrX11)->ScreenSize();
    } catch (const EDisplayError& error) {
      return error.what();
    }
    return "";
  }
};

TEST_F(OpeningWithoutDisplays, TheErrorNamesEveryDisplayTried) {
  setenv("WAYLAND_DISPLAY", "wayland-77", 1);
  EXPECT_EQ(Failure(), "no Wayland compositor answers at \"wayland-77\"; cannot open display \":9999\"");
  unsetenv("WAYLAND_DISPLAY");
  EXPECT_EQ(Failure(), "cannot open display \":9999\"");
  setenv("QUENBREL_BACKEND", "wayland", 1);
  EXPECT_EQ(Failure(), "no Wayland compositor answers at \"wayland-0\"");
}

}  // namespace
