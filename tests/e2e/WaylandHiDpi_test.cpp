// The program's surfaces at the output's scale: whole on headless sway, fractional on KWin (the
// compositor that offers fractional scales), told from the requests in its WAYLAND_DEBUG log.
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>
#include <signal.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ChildProcess.h"
#include "WaylandCompositor.h"
#include "framework/platform/wayland/CaptionBar.h"
#include "gallery/GalleryForm.h"
#include "gallery/ImagePage.h"
#include "support/HeadlessApp.h"
#include "testkit/Polling.h"

namespace {

// The sizes of the buffers a program made, from its WAYLAND_DEBUG log.
std::set<std::pair<int, int>> BufferSizes(const std::string& log) {
  static const std::regex made(R"(create_buffer\(new id wl_buffer@\d+, \d+, (\d+), (\d+),)");
  std::set<std::pair<int, int>> sizes;
  for (auto it = std::sregex_iterator(log.begin(), log.end(), made); it != std::sregex_iterator(); ++it)
    sizes.insert({std::stoi((*it)[1]), std::stoi((*it)[2])});
  return sizes;
}

int Count(const std::string& text, const std::string& part) {
  int count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

template <class Compositor>
std::vector<std::string> ProgramEnvironment(const Compositor& compositor) {
  std::vector<std::string> environment = compositor.ClientEnvironment();
  for (const char* variable : {"QUENBREL_BACKEND=", "QUENBREL_SCALE=", "WAYLAND_DEBUG=1"})
    environment.push_back(variable);
  return environment;
}

// At 1.5 a 1280x720 output has 1920x1080 pixels: the saver draws those, at buffer scale 1,
// and shows them over the output's logical size, never the 2560x1440 of the whole scale above.
TEST(WaylandFractionalScale, TheSaverDrawsThePhysicalPixels) {
  if (!TKWinCompositor::Installed()) GTEST_SKIP() << "kwin_wayland is not installed";
  TKWinCompositor compositor(1280, 720, "1.5");
  TChildProcess program({QUENBREL_PROGRAM, "/s"}, ProgramEnvironment(compositor));
  ASSERT_TRUE(WaitUntil([&] { return Count(program.Stderr(), ".commit()") >= 10 || !program.Running(); }))
      << program.Stderr();
  ASSERT_TRUE(program.Running()) << program.Stderr();
  const std::string log = program.Stderr();
  const std::set<std::pair<int, int>> sizes = BufferSizes(log);
  EXPECT_EQ(sizes, (std::set<std::pair<int, int>>{{1920, 1080}}));
  EXPECT_NE(log.find("set_destination(1280, 720)"), std::string::npos);
  EXPECT_EQ(log.find("set_buffer_scale(2)"), std::string::npos);
  program.Signal(SIGTERM);
  EXPECT_EQ(program.WaitExit(), 0);
}

// The first size a dialog gave as its least and largest, its logical size; none while it gave
// none.
std::optional<std::pair<int, int>> DialogSize(const std::string& log) {
  static const std::regex limit(R"(xdg_toplevel@\d+\.set_max_size\((\d+), (\d+)\))");
  std::smatch match;
  if (!std::regex_search(log, match, limit)) return std::nullopt;
  return std::pair{std::stoi(match[1]), std::stoi(match[2])};
}

// At scale 2 the settings dialog keeps its logical size and draws twice as many pixels each
// way, sharp, at buffer scale 2, rather than leaving the compositor to blow it up; at 1 again,
// one pixel each.
TEST(WaylandWholeScale, TheSettingsDialogDrawsTwiceItsLogicalSize) {
  if (const std::string missing = TWaylandCompositor::MissingProgram(); !missing.empty())
    GTEST_SKIP() << missing << " is not installed";
  TWaylandCompositor compositor{{{1600, 1200, 2}}, false};
  TChildProcess program({QUENBREL_PROGRAM, "/c"}, ProgramEnvironment(compositor));
  // Drawn: a buffer made, and attached with the commit after it.
  const auto drawn = [&] {
    const std::string log = program.Stderr();
    return !BufferSizes(log).empty() && log.find(".commit()", log.find("create_buffer")) != std::string::npos;
  };
  ASSERT_TRUE(WaitUntil([&] { return drawn() || !program.Running(); })) << program.Stderr();
  const std::string log = program.Stderr();
  const std::optional<std::pair<int, int>> logical = DialogSize(log);
  ASSERT_TRUE(logical) << log;
  EXPECT_EQ(*logical, (std::pair{361, 105}));
  EXPECT_TRUE(BufferSizes(log).contains({2 * logical->first, 2 * logical->second})) << log;
  EXPECT_NE(log.find("set_buffer_scale(2)"), std::string::npos);

  // The output back at 1: the dialog is drawn anew at its logical size.
  compositor.SetMode(compositor.Outputs()[0], {1600, 1200, 1});
  const auto atOne = [&] {
    const std::string later = program.Stderr().substr(log.size());
    return later.find("set_buffer_scale(1)") != std::string::npos &&
           BufferSizes(later).contains({logical->first, logical->second});
  };
  EXPECT_TRUE(WaitUntil([&] { return atOne() || !program.Running(); }) && program.Running()) << program.Stderr();
  program.Signal(SIGTERM);
  program.WaitExit();
}

// The first match of `pattern` in `log`, its groups as numbers; empty while there is none.
std::vector<int> Numbers(const std::string& log, const std::string& pattern) {
  std::smatch match;
  if (!std::regex_search(log, match, std::regex(pattern))) return {};
  std::vector<int> numbers;
  for (std::size_t i = 1; i < match.size(); ++i) numbers.push_back(std::stoi(match[i]));
  return numbers;
}

// The size of the buffers a popup's surface was given, from the popup's object on, at the
// buffer scale it last set; empty while it has none.
std::vector<int> PopupBuffer(const std::string& log) {
  const std::vector<int> popup = Numbers(log, R"(xdg_surface@(\d+)\.get_popup\()");
  if (popup.empty()) return {};
  const std::vector<int> surface =
      Numbers(log, R"(get_xdg_surface\(new id xdg_surface@)" + std::to_string(popup[0]) + R"(, wl_surface@(\d+)\))");
  const std::string id = "wl_surface@" + std::to_string(surface.at(0));
  const std::vector<int> buffer = Numbers(log, id + R"(\.attach\(wl_buffer@(\d+),)");
  const std::vector<int> scale = Numbers(log, id + R"(\.set_buffer_scale\((\d+)\))");
  if (buffer.empty() || scale.empty()) return {};
  const std::vector<int> size =
      Numbers(log, R"(create_buffer\(new id wl_buffer@)" + std::to_string(buffer[0]) + R"(, \d+, (\d+), (\d+),)");
  return {size.at(0), size.at(1), scale[0]};
}

// At scale 2 the gallery's menu, a popup, draws twice its logical size at buffer scale 2 and
// opens where the right click was, in logical pixels of the window below.
TEST(WaylandWholeScale, AMenuDrawsTwiceItsLogicalSizeWhereTheClickWas) {
  if (const std::string missing = TWaylandCompositor::MissingProgram(); !missing.empty())
    GTEST_SKIP() << missing << " is not installed";
  TPoint at;
  {
    THeadlessApp app;
    app.App.CreateForm(GalleryForm);
    GalleryForm->Show();
    const TControl& picture = *GalleryForm->ImagePage->Image1;
    at = {picture.WindowOffset().X + picture.Width() / 2, picture.WindowOffset().Y + picture.Height() / 2};
  }
  TWaylandCompositor compositor{{{1600, 1200, 2}}};
  compositor.PlaceNewWindows("zzQuenbrel Gallery", 0, 0);
  TChildProcess program({QUENBREL_GALLERY}, ProgramEnvironment(compositor));
  ASSERT_TRUE(WaitUntil([&] { return compositor.HasFocus("zzQuenbrel Gallery") || !program.Running(); }) &&
              program.Running())
      << program.Stderr();
  compositor.MovePointerTo(2 * at.X, 2 * at.Y);
  compositor.Click(BTN_RIGHT);
  ASSERT_TRUE(WaitUntil([&] { return !PopupBuffer(program.Stderr()).empty() || !program.Running(); }) &&
              program.Running())
      << program.Stderr();
  const std::string log = program.Stderr();
  const std::vector<int> logical = Numbers(log, R"(xdg_positioner@\d+\.set_size\((\d+), (\d+)\))");
  ASSERT_EQ(logical.size(), 2u) << log;
  EXPECT_EQ(PopupBuffer(log), (std::vector<int>{2 * logical[0], 2 * logical[1], 2})) << log;
  EXPECT_EQ(Numbers(log, R"(xdg_popup@\d+\.configure\((-?\d+), (-?\d+), (\d+), (\d+)\))"),
            (std::vector<int>{at.X, at.Y, logical[0], logical[1]}))
      << log;
  program.Signal(SIGTERM);
  EXPECT_EQ(program.WaitExit(), 0) << program.Stderr();
}

// The dialog's own frame, where the compositor draws none, is at the scale too: the whole
// window stays twice its logical size (an odd size at buffer scale 2 is a protocol error that
// ends the program), and a click on its close box, in device pixels, closes it.
TEST(WaylandWholeScale, TheDialogsOwnFrameIsAtTheScaleTooAndItsCloseBoxClosesIt) {
  if (const std::string missing = TWaylandCompositor::MissingProgram(); !missing.empty())
    GTEST_SKIP() << missing << " is not installed";
  TWaylandCompositor compositor{{{1600, 1200, 2}}};
  std::vector<std::string> environment = ProgramEnvironment(compositor);
  environment.push_back("QUENBREL_WAYLAND_NO_DECORATIONS=1");
  TChildProcess program({QUENBREL_PROGRAM, "/c"}, environment);
  const auto framed = [&] {
    const std::string log = program.Stderr();
    const std::optional<std::pair<int, int>> logical = DialogSize(log);
    return logical && BufferSizes(log).contains({2 * logical->first, 2 * logical->second});
  };
  ASSERT_TRUE(WaitUntil([&] { return (framed() && compositor.HasFocus("Settings")) || !program.Running(); }) &&
              program.Running())
      << program.Stderr();
  const TRect insets = TCaptionBar::Insets();
  const TSize window{361 + insets.Left + insets.Right, 105 + insets.Top + insets.Bottom};
  EXPECT_EQ(DialogSize(program.Stderr()), (std::pair{window.cx, window.cy}));

  compositor.PlaceWindow("Settings", 0, 0);
  const TRect close = TCaptionBar::CloseBoxRect(window);
  // The pointer goes by the output's physical pixels.
  compositor.MovePointerTo(close.Left + close.Right, close.Top + close.Bottom);
  compositor.Click(BTN_LEFT);
  EXPECT_EQ(program.WaitExit(), 0) << program.Stderr();
}

// At 1.5 the dialog draws 1.5 times its logical size at buffer scale 1, shown through a
// viewport over the logical size.
TEST(WaylandFractionalScale, TheSettingsDialogDrawsOneAndAHalfTimesItsLogicalSize) {
  if (!TKWinCompositor::Installed()) GTEST_SKIP() << "kwin_wayland is not installed";
  TKWinCompositor compositor(1280, 720, "1.5");
  TChildProcess program({QUENBREL_PROGRAM, "/c"}, ProgramEnvironment(compositor));
  const auto viewed = [&] {
    const std::string log = program.Stderr();
    const std::optional<std::pair<int, int>> logical = DialogSize(log);
    return logical && BufferSizes(log).contains({(logical->first * 3 + 1) / 2, (logical->second * 3 + 1) / 2}) &&
           log.find("set_destination(" + std::to_string(logical->first) + ", " + std::to_string(logical->second) +
                    ")") != std::string::npos;
  };
  EXPECT_TRUE(WaitUntil([&] { return viewed() || !program.Running(); }) && program.Running()) << program.Stderr();
  EXPECT_EQ(DialogSize(program.Stderr()), (std::pair{361, 105}));
  program.Signal(SIGTERM);
  program.WaitExit();
}

// At 1.5 the program's own frame is drawn at 1.5 too, part of the surface the viewport shows
// over the whole window's logical size: the client and each edge rounded on their own, the
// buffer is within two pixels of 1.5 times that size each way (552x196 for 367x130), not the
// client's 1.5 plus a frame at 1 (548x183).
TEST(WaylandFractionalScale, TheDialogsOwnFrameIsAtOneAndAHalfToo) {
  if (!TKWinCompositor::Installed()) GTEST_SKIP() << "kwin_wayland is not installed";
  TKWinCompositor compositor(1280, 720, "1.5");
  std::vector<std::string> environment = ProgramEnvironment(compositor);
  environment.push_back("QUENBREL_WAYLAND_NO_DECORATIONS=1");
  TChildProcess program({QUENBREL_PROGRAM, "/c"}, environment);
  const TRect insets = TCaptionBar::Insets();
  const TSize window{361 + insets.Left + insets.Right, 105 + insets.Top + insets.Bottom};
  const std::string destination =
      "set_destination(" + std::to_string(window.cx) + ", " + std::to_string(window.cy) + ")";
  const auto sharp = [&](std::pair<int, int> size) {
    return std::abs(2 * size.first - 3 * window.cx) <= 4 && std::abs(2 * size.second - 3 * window.cy) <= 4;
  };
  const auto framed = [&] {
    const std::string log = program.Stderr();
    const std::set<std::pair<int, int>> sizes = BufferSizes(log);
    return log.find(destination) != std::string::npos && std::any_of(sizes.begin(), sizes.end(), sharp);
  };
  EXPECT_TRUE(WaitUntil([&] { return framed() || !program.Running(); }) && program.Running()) << program.Stderr();
  EXPECT_EQ(DialogSize(program.Stderr()), (std::pair{window.cx, window.cy}));
  program.Signal(SIGTERM);
  program.WaitExit();
}

}  // namespace
