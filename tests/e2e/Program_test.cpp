// zzQuenbrel.scr itself on a virtual X server: real input from xdotool, screenshots
// through the test's own connection.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "TestDisplay.h"
#include "testkit/Polling.h"
#include "testkit/Xvfb.h"

namespace {

constexpr int kScreenWidth = 320, kScreenHeight = 240;

std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : text) {
    if (c != '\n') {
      line += c;
      continue;
    }
    lines.push_back(line);
    line.clear();
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

class ProgramTest : public ::testing::Test {
 protected:
  // `hostVariable`: XSCREENSAVER_WINDOW as a host sets it; empty: unset.
  std::unique_ptr<TChildProcess> Start(std::vector<std::string> arguments, const std::string& hostVariable = "") {
    arguments.insert(arguments.begin(), QUENBREL_PROGRAM);
    return std::make_unique<TChildProcess>(
        arguments, std::vector<std::string>{FXvfb.DisplayVariable(), "XSCREENSAVER_WINDOW=" + hostVariable});
  }

  // The program's window inside `host`, once it is shown there.
  Window Guest(Window host, TChildProcess& program) {
    std::vector<Window> children;
    EXPECT_TRUE(WaitUntil([&] { return (children = FClient.Children(host)).size() == 1 || !program.Running(); }));
    EXPECT_TRUE(program.Running()) << program.Stderr();
    return children.empty() ? 0 : children[0];
  }

  // Whether the window shows the effect: changing pictures of many colours.
  bool ShowsTheEffect(Window window, int width, int height) {
    const auto colours = [&] {
      const std::vector<std::uint32_t> picture = FClient.Capture(window, 0, 0, width, height);
      return std::set(picture.begin(), picture.end()).size();
    };
    return WaitUntil([&] { return colours() >= 64; }) && Animates(window, width, height);
  }

  // Whether `window` shows `changes` different pictures in a row, as an animation does.
  bool Animates(Window window, int width, int height, int changes = 2) {
    std::vector<std::uint32_t> last = FClient.Capture(window, 0, 0, width, height);
    for (int i = 0; i < changes; ++i)
      if (!WaitUntil([&] {
            std::vector<std::uint32_t> now = FClient.Capture(window, 0, 0, width, height);
            if (now == last) return false;
            last = std::move(now);
            return true;
          }))
        return false;
    return true;
  }

  // The saver's window, once it covers the screen and holds the input.
  Window StartedSaver(TChildProcess& program) {
    Window saver = 0;
    EXPECT_TRUE(WaitUntil([&] { return (saver = FClient.FullScreenWindow()) != 0 || !program.Running(); }));
    EXPECT_TRUE(WaitUntil([&] { return !FClient.CanGrabKeyboard() || !program.Running(); }));
    EXPECT_TRUE(program.Running()) << program.Stderr();
    return saver;
  }

  void ExpectEndsCleanly(TChildProcess& program) {
    EXPECT_EQ(program.WaitExit(), 0) << program.Stderr();
    EXPECT_TRUE(FClient.CanGrabKeyboard()) << "input still held after the end";
  }

  TXvfb FXvfb{kScreenWidth, kScreenHeight};
  TTestDisplay FClient{FXvfb.Name()};
};

TEST_F(ProgramTest, SaverCoversTheScreenAnimatesAndHidesThePointer) {
  auto program = Start({"/s"});
  const Window saver = StartedSaver(*program);
  ASSERT_NE(saver, 0u);
  EXPECT_TRUE(Animates(saver, kScreenWidth, kScreenHeight));
  EXPECT_TRUE(WaitUntil([&] { return FClient.PointerInvisible(); }));
  program->Signal(SIGTERM);
  ExpectEndsCleanly(*program);
}

TEST_F(ProgramTest, SaverFollowsTheScreenToANewSize) {
  auto program = Start({"/s"});
  const Window saver = StartedSaver(*program);
  ASSERT_NE(saver, 0u);
  FClient.AnnounceScreenSize(200, 150);
  TWindowGeometry geometry;
  EXPECT_TRUE(
      WaitUntil([&] { return FClient.Geometry(saver, geometry) && geometry.Width == 200 && geometry.Height == 150; }));
  EXPECT_TRUE(Animates(saver, 200, 150));
  program->Signal(SIGTERM);
  ExpectEndsCleanly(*program);
}

TEST_F(ProgramTest, SaverEndsOnAnyKeyIncludingAModifierAlone) {
  for (const char* key : {"x", "Alt_L", "alt+F4"}) {
    auto program = Start({"/S"});
    StartedSaver(*program);
    FClient.Xdotool({"key", key});
    ExpectEndsCleanly(*program);
  }
}

TEST_F(ProgramTest, SaverEndsOnAClick) {
  auto program = Start({"/s"});
  StartedSaver(*program);
  FClient.Xdotool({"click", "1"});
  ExpectEndsCleanly(*program);
}

TEST_F(ProgramTest, SaverToleratesFivePointerMotionsAndEndsOnTheSixth) {
  auto program = Start({"/s"});
  const Window saver = StartedSaver(*program);
  for (int i = 1; i <= 5; ++i) FClient.Xdotool({"mousemove", std::to_string(10 * i), std::to_string(7 * i)});
  // Input is handled before timer ticks: frames drawn after the motions mean they were seen.
  ASSERT_TRUE(Animates(saver, kScreenWidth, kScreenHeight, 3));
  EXPECT_TRUE(program->Running());
  FClient.Xdotool({"mousemove", "100", "100"});
  ExpectEndsCleanly(*program);
}

TEST_F(ProgramTest, SaverEndsWhenAnotherProgramTakesTheFocus) {
  auto program = Start({"/s"});
  StartedSaver(*program);
  const Window other = FClient.CreateWindow(50, 50);
  FClient.Focus(other);
  ExpectEndsCleanly(*program);
}

TEST_F(ProgramTest, TerminationEndsTheSaverAndReleasesTheInput) {
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
    auto program = Start({"/s"});
    StartedSaver(*program);
    program->Signal(signal);
    ExpectEndsCleanly(*program);
  }
}

TEST_F(ProgramTest, PreviewDrawsInsideItsHostAtItsSize) {
  const Window host = FClient.CreateWindow(200, 150);
  // The settings tool appends a window id of its own: it is ignored.
  auto program = Start({"/p", std::to_string(host), "--window-id", "0x123"});
  TWindowGeometry geometry;
  ASSERT_TRUE(WaitUntil([&] {
    const std::vector<Window> children = FClient.Children(host);
    return children.size() == 1 && FClient.Geometry(children[0], geometry) && geometry.Viewable;
  })) << program->Stderr();
  EXPECT_EQ((std::vector{geometry.X, geometry.Y, geometry.Width, geometry.Height}), (std::vector{0, 0, 200, 150}));
  EXPECT_TRUE(Animates(host, 200, 150));
  EXPECT_TRUE(FClient.CanGrabKeyboard()) << "the preview takes no input";
  program->Signal(SIGTERM);
  EXPECT_EQ(program->WaitExit(), 0) << program->Stderr();
}

TEST_F(ProgramTest, PreviewEndsWithItsHostOrOnASystemCommand) {
  for (bool destroyHost : {true, false}) {
    const Window host = FClient.CreateWindow(120, 90);
    auto program = Start({"/p", std::to_string(host)});
    std::vector<Window> children;
    ASSERT_TRUE(WaitUntil([&] { return (children = FClient.Children(host)).size() == 1; })) << program->Stderr();
    if (destroyHost) FClient.DestroyWindow(host);
    else FClient.SendClientMessage(children[0], "WM_SYSCOMMAND");
    EXPECT_EQ(program->WaitExit(), 0) << program->Stderr();
  }
}

std::string Hex(Window window) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%lx", window);
  return text;
}

TEST_F(ProgramTest, RootDrawsIntoTheHostsWindowFollowsItIgnoresInputAndEndsAtOnceOnSigterm) {
  const Window host = FClient.CreateWindow(200, 150);
  const std::vector<Window> topLevels = FClient.Children(FClient.Root());
  auto program = Start({"-root"}, Hex(host));
  const Window guest = Guest(host, *program);
  EXPECT_TRUE(ShowsTheEffect(host, 200, 150));
  EXPECT_EQ(FClient.Children(FClient.Root()), topLevels) << "a window of its own";
  // Keys and clicks over it go on to the host, which is the one to end it.
  XWindowAttributes attributes{};
  ASSERT_TRUE(XGetWindowAttributes(FClient.Handle(), guest, &attributes));
  EXPECT_EQ(attributes.all_event_masks & (KeyPressMask | ButtonPressMask | PointerMotionMask), 0);
  FClient.ResizeWindow(host, 160, 100);
  TWindowGeometry geometry;
  EXPECT_TRUE(WaitUntil([&] { return FClient.Geometry(guest, geometry) && geometry.Width == 160; }));
  EXPECT_EQ((std::vector{geometry.X, geometry.Y, geometry.Width, geometry.Height}), (std::vector{0, 0, 160, 100}));
  FClient.Focus(host);
  FClient.Xdotool({"mousemove", "--window", std::to_string(host), "20", "20"});
  FClient.Xdotool({"mousemove", "--window", std::to_string(host), "90", "60", "click", "1", "click", "3"});
  FClient.Xdotool({"key", "x", "Escape", "alt+F4"});
  EXPECT_TRUE(Animates(host, 160, 100));
  EXPECT_TRUE(program->Running());
  program->Signal(SIGTERM);
  EXPECT_EQ(program->WaitExit(std::chrono::milliseconds(500)), 0) << program->Stderr();
}

TEST_F(ProgramTest, RootWithoutAHostDrawsOnTheDesktopBelowEveryWindow) {
  const Window other = FClient.CreateWindow(50, 50);
  auto program = Start({"-root"});
  std::vector<Window> topLevels;
  ASSERT_TRUE(WaitUntil([&] { return (topLevels = FClient.Children(FClient.Root())).size() == 2; }));
  EXPECT_EQ(topLevels.back(), other) << "the desktop's window stays below";
  TWindowGeometry geometry;
  ASSERT_TRUE(WaitUntil([&] { return FClient.Geometry(topLevels.front(), geometry) && geometry.Viewable; }));
  EXPECT_EQ((std::vector{geometry.Width, geometry.Height}), (std::vector{kScreenWidth, kScreenHeight}));
  EXPECT_TRUE(geometry.OverrideRedirect);
  EXPECT_TRUE(ShowsTheEffect(FClient.Root(), kScreenWidth, kScreenHeight));
  program->Signal(SIGTERM);
  EXPECT_EQ(program->WaitExit(), 0) << program->Stderr();
}

TEST_F(ProgramTest, WindowIdAndAHexadecimalPreviewIdDrawIntoTheWindowTheyName) {
  for (const std::vector<std::string>& switches : {std::vector<std::string>{"-window-id"}, {"/p"}}) {
    const Window host = FClient.CreateWindow(120, 90);
    std::vector<std::string> arguments = switches;
    arguments.push_back(Hex(host));
    auto program = Start(arguments, "0x1");
    Guest(host, *program);
    EXPECT_TRUE(ShowsTheEffect(host, 120, 90)) << switches[0];
    FClient.DestroyWindow(host);
    EXPECT_EQ(program->WaitExit(), 0) << program->Stderr();
  }
}

TEST_F(ProgramTest, AHostWindowNamedWronglyIsOneLineOnStandardErrorAndExitCodeOne) {
  const Window gone = FClient.CreateWindow(20, 20);
  FClient.DestroyWindow(gone);
  const std::vector<Window> topLevels = FClient.Children(FClient.Root());
  for (const auto& [arguments, variable] :
       std::vector<std::pair<std::vector<std::string>, std::string>>{{{"-window-id", Hex(gone)}, ""},
                                                                     {{"-root"}, std::to_string(gone)},
                                                                     {{"-root"}, "screen"},
                                                                     {{"/p"}, "0x"},
                                                                     {{"/p", "0xwindow"}, ""},
                                                                     {{"-window-id", "-5"}, ""},
                                                                     {{"--window-id"}, ""}}) {
    auto program = Start(arguments, variable);
    EXPECT_EQ(program->WaitExit(), 1) << arguments[0] << " " << variable;
    const std::vector<std::string> lines = Split(program->Stderr());
    ASSERT_EQ(lines.size(), 1u) << program->Stderr();
    EXPECT_EQ(lines[0].rfind("zzQuenbrel.scr: ", 0), 0u) << lines[0];
  }
  EXPECT_EQ(FClient.Children(FClient.Root()), topLevels) << "a window, or a box";
}

TEST(ProgramWithoutDisplay, WindowModesSayWhyInOneLineAndFail) {
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{QUENBREL_PROGRAM, "/s"}, {QUENBREL_PROGRAM, "/p", "1"}, {QUENBREL_PROGRAM, "/c"}}) {
    TChildProcess program(arguments, {"DISPLAY=:9999"});
    EXPECT_EQ(program.WaitExit(), 1) << arguments[1];
    const std::vector<std::string> lines = Split(program.Stderr());
    ASSERT_EQ(lines.size(), 1u) << program.Stderr();
    EXPECT_NE(lines[0].find("cannot open display \":9999\""), std::string::npos) << lines[0];
  }
}

TEST(ProgramWithoutDisplay, NoSwitchOrAnUnknownOneEndsAtOnceWithoutTouchingIt) {
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{QUENBREL_PROGRAM}, {QUENBREL_PROGRAM, "/x"}, {QUENBREL_PROGRAM, "/p:1234"}}) {
    TChildProcess program(arguments, {"DISPLAY=:9999"});
    EXPECT_EQ(program.WaitExit(), 0);
    EXPECT_EQ(program.Stderr(), "");
  }
}

}  // namespace
