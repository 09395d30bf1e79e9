// zzQuenbrel-idle on the idle sources of a virtual X server and of headless sway, starting the
// real saver beside it; real input from xdotool and from sway's virtual keyboard.
#include <X11/Xatom.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "ChildProcess.h"
#include "TestDisplay.h"
#include "WaylandCompositor.h"
#include "support/TempDir.h"
#include "testkit/Polling.h"
#include "testkit/Xvfb.h"

namespace {

using namespace std::chrono_literals;
using TClock = std::chrono::steady_clock;

constexpr const char* kIdleSeconds = "2";

int Count(const std::string& text, const std::string& what) {
  int count = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

// The processes the watcher started and still has.
std::vector<std::string> ChildIds(pid_t pid) {
  std::ifstream list("/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/children");
  std::vector<std::string> ids;
  for (std::string id; list >> id;) ids.push_back(id);
  return ids;
}

// Their command lines.
std::string Children(pid_t pid) {
  std::string names;
  for (const std::string& child : ChildIds(pid)) {
    std::ifstream command("/proc/" + child + "/cmdline");
    names += std::string(std::istreambuf_iterator<char>(command), {}) + "\n";
  }
  return names;
}

class IdleProgramTest : public ::testing::Test {
 protected:
  void Start(std::vector<std::string> environment) {
    // No session bus to find, and a runtime folder (for the lock) of this test's own.
    environment.push_back("XDG_RUNTIME_DIR=" + FRuntime.Path());
    environment.push_back("DBUS_SESSION_BUS_ADDRESS=unix:path=" + FRuntime.File("no-bus"));
    FEnvironment = environment;
    FWatcher = std::make_unique<TChildProcess>(std::vector<std::string>{QUENBREL_IDLE, kIdleSeconds}, environment);
  }

  bool WaitForLines(const std::string& what, int count) {
    return WaitUntil([&] { return Count(FWatcher->Stdout(), what) >= count || !FWatcher->Running(); }) &&
           FWatcher->Running();
  }

  // The saver starts on idle, the user's key ends it once it shows, and after the idle time
  // again it starts again, not sooner. The times it took go to the test's output.
  void ExpectSaverCycle(const std::function<bool()>& saverShown, const std::function<void()>& typeKey) {
    const auto started = TClock::now();
    ASSERT_TRUE(WaitForLines("started", 1)) << FWatcher->Stderr();
    const auto firstStart = TClock::now() - started;
    EXPECT_NE(Children(FWatcher->Pid()).find("zzQuenbrel.scr"), std::string::npos);
    ASSERT_TRUE(WaitUntil(saverShown));
    const auto typed = TClock::now();
    typeKey();
    ASSERT_TRUE(WaitForLines("the saver ended", 1)) << FWatcher->Stdout() << FWatcher->Stderr();
    ASSERT_TRUE(WaitForLines("started", 2)) << FWatcher->Stdout() << FWatcher->Stderr();
    const auto restart = TClock::now() - typed;
    EXPECT_GE(restart, 2s);
    std::printf("first start after %lld ms, the next %lld ms after the key\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(firstStart).count()),
                static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(restart).count()));
    EXPECT_EQ(Count(FWatcher->Stdout(), "failed"), 0) << FWatcher->Stdout();
  }

  // A second watcher in the same session refuses to run.
  void ExpectOneWatcherPerSession() {
    TChildProcess second({QUENBREL_IDLE, kIdleSeconds}, FEnvironment);
    EXPECT_EQ(second.WaitExit(), 1);
    EXPECT_EQ(second.Stderr(), "zzQuenbrel-idle: another zzQuenbrel-idle already runs in this session\n");
  }

  // SIGTERM ends the watcher and the saver it started.
  void ExpectTerminationEndsBoth() {
    const std::vector<std::string> savers = ChildIds(FWatcher->Pid());
    ASSERT_EQ(savers.size(), 1u);
    const std::string saverProc = "/proc/" + savers[0];
    FWatcher->Signal(SIGTERM);
    EXPECT_EQ(FWatcher->WaitExit(), 0);
    // The watcher reaps it before it ends: gone, not even a zombie.
    EXPECT_FALSE(std::filesystem::exists(saverProc));
  }

  TTempDir FRuntime;
  std::vector<std::string> FEnvironment;
  std::unique_ptr<TChildProcess> FWatcher;
};

TEST_F(IdleProgramTest, StartsTheSaverOnTheXServersIdleTime) {
  auto xvfb = std::make_unique<TXvfb>();
  auto client = std::make_unique<TTestDisplay>(xvfb->Name());
  TTestDisplay& display = *client;
  Start({xvfb->DisplayVariable(), "WAYLAND_DISPLAY="});
  ExpectSaverCycle([&] { return display.FullScreenWindow() != 0 && !display.CanGrabKeyboard(); },
                   [&] {
                     display.Xdotool({"key", "space"});
                   });
  ExpectOneWatcherPerSession();
  ExpectTerminationEndsBoth();

  // While an xscreensaver daemon runs (its window marked with its version), it is the host.
  const Window daemon = display.CreateWindow(1, 1);
  XChangeProperty(display.Handle(), daemon, display.AtomNamed("_SCREENSAVER_VERSION"), XA_STRING, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>("6.06"), 4);
  XSync(display.Handle(), False);
  Start(FEnvironment);
  ASSERT_TRUE(WaitForLines("asked to stay awake", 1)) << FWatcher->Stderr();
  EXPECT_EQ(Children(FWatcher->Pid()), "");

  // The server going away ends the watcher with a word why.
  client.reset();
  xvfb.reset();
  EXPECT_EQ(FWatcher->WaitExit(), 1);
  EXPECT_EQ(FWatcher->Stderr(), "zzQuenbrel-idle: the X server has gone\n");
}

TEST_F(IdleProgramTest, StartsTheSaverOnTheCompositorsIdleProtocol) {
  if (const std::string missing = TWaylandCompositor::MissingProgram(); !missing.empty())
    GTEST_SKIP() << missing << " is not installed";
  auto compositor = std::make_unique<TWaylandCompositor>(std::vector<TOutputMode>{{320, 240}});
  Start(compositor->ClientEnvironment());
  // Shown, it holds the keyboard.
  const auto shown = [&] {
    const TOutputPicture picture = compositor->Screenshot(compositor->Outputs()[0]);
    return !picture.Pixels.empty() && picture.Pixels[0] != TWaylandCompositor::kBackground;
  };
  ExpectSaverCycle(shown, [&] { compositor->TypeKey(TWaylandCompositor::TKey::Space); });
  ExpectOneWatcherPerSession();
  ExpectTerminationEndsBoth();

  // A window that asks the compositor to keep the session awake (the settings dialog, marked by
  // sway's command) holds the protocol's idle report back: nothing starts in three idle times,
  // and the saver starts once the window asks no more.
  TChildProcess dialog({QUENBREL_PROGRAM, "/c"}, compositor->ClientEnvironment());
  ASSERT_TRUE(WaitUntil([&] { return compositor->HasWindow("Settings") || !dialog.Running(); }));
  compositor->Swaymsg({"[title=\"^Settings$\"] inhibit_idle open"});
  Start(FEnvironment);
  std::this_thread::sleep_for(6s);  // an absence: nothing to observe
  EXPECT_EQ(Count(FWatcher->Stdout(), "started"), 0);
  compositor->Swaymsg({"[title=\"^Settings$\"] inhibit_idle none"});
  ASSERT_TRUE(WaitForLines("started", 1)) << FWatcher->Stderr();
  compositor.reset();
  EXPECT_EQ(FWatcher->WaitExit(), 1);
  // The saver it started says its own word on standard error, which the two share.
  EXPECT_EQ(Count(FWatcher->Stderr(), "zzQuenbrel-idle: "), 1) << FWatcher->Stderr();
  EXPECT_EQ(Count(FWatcher->Stderr(), "zzQuenbrel-idle: the Wayland compositor has gone"), 1) << FWatcher->Stderr();
}

// --enable writes an entry that desktops accept; --disable leaves the autostart folder as it was.
TEST_F(IdleProgramTest, TurnsItselfOnAndOffForTheNextSessions) {
  const std::string autostart = FRuntime.File("autostart");
  std::filesystem::create_directory(autostart);
  std::ofstream(autostart + "/other.desktop") << "[Desktop Entry]\n";
  const std::vector<std::string> environment{"XDG_CONFIG_HOME=" + FRuntime.Path()};
  TChildProcess enable({QUENBREL_IDLE, "--enable", "300"}, environment);
  ASSERT_EQ(enable.WaitExit(), 0) << enable.Stderr();
  const std::string entry = autostart + "/zzQuenbrel-idle.desktop";
  TChildProcess validate({"desktop-file-validate", entry});
  EXPECT_EQ(validate.WaitExit(), 0) << validate.Stdout() << validate.Stderr();
  std::ifstream written(entry);
  EXPECT_NE(std::string(std::istreambuf_iterator<char>(written), {}).find("\nExec=" QUENBREL_IDLE " 300\n"),
            std::string::npos);
  TChildProcess disable({QUENBREL_IDLE, "--disable"}, environment);
  ASSERT_EQ(disable.WaitExit(), 0) << disable.Stderr();
  std::vector<std::string> names;
  for (const auto& file : std::filesystem::directory_iterator(autostart)) names.push_back(file.path().filename());
  EXPECT_EQ(names, std::vector<std::string>{"other.desktop"});
}

// A wrong command line, or a session without any idle source: one line, no retrying.
TEST_F(IdleProgramTest, SaysInOneLineWhatIsWrong) {
  const std::vector<std::pair<std::vector<std::string>, int>> cases{
      {{QUENBREL_IDLE}, 2}, {{QUENBREL_IDLE, "0"}, 2}, {{QUENBREL_IDLE, "--now"}, 2}, {{QUENBREL_IDLE, "60"}, 1}};
  for (const auto& [arguments, code] : cases) {
    TChildProcess program(arguments, {"DISPLAY=", "WAYLAND_DISPLAY=", "XDG_RUNTIME_DIR=" + FRuntime.Path(),
                                      "DBUS_SESSION_BUS_ADDRESS=unix:path=" + FRuntime.File("no-bus")});
    EXPECT_EQ(program.WaitExit(), code) << arguments.size();
    EXPECT_EQ(Count(program.Stderr(), "\n"), 1) << program.Stderr();
  }
}

}  // namespace
