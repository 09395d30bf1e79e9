// The settings dialog, its colour chooser and about box, and the gallery with its popup menu,
// on a Wayland compositor of its own (headless sway): real keys and clicks from virtual
// devices, screenshots of the output.
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>
#include <signal.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "SettingsDialogLayout.h"
#include "WaylandCompositor.h"
#include "support/TempDir.h"
#include "testkit/Polling.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr TOutputMode kScreen{800, 600, 1};
// The grey of the about box's picture, which nothing else shows.
constexpr std::uint32_t kAboutBackground = 0xC8C8C8;

std::uint32_t PixelAt(const TOutputPicture& picture, int x, int y) {
  return picture.Pixels[static_cast<std::size_t>(y * picture.Width + x)];
}

std::vector<std::uint32_t> Area(const TOutputPicture& picture, const TRect& area) {
  std::vector<std::uint32_t> pixels;
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x) pixels.push_back(PixelAt(picture, x, y));
  return pixels;
}

// The smallest rectangle around every pixel of that colour.
TRect Extent(const TOutputPicture& picture, std::uint32_t colour) {
  TRect extent;
  for (int y = 0; y < picture.Height; ++y)
    for (int x = 0; x < picture.Width; ++x)
      if (PixelAt(picture, x, y) == colour) extent = extent.Union({x, y, x + 1, y + 1});
  return extent;
}

// The settings mode of a copy of the program in a folder of its own, which keeps its
// settings file beside it.
class WaylandSettings : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::copy_file(QUENBREL_PROGRAM, Program); }

  std::unique_ptr<TChildProcess> Start(std::vector<std::string> environment = {}) {
    std::vector<std::string> full = FCompositor.ClientEnvironment();
    full.push_back("QUENBREL_BACKEND=");
    full.insert(full.end(), environment.begin(), environment.end());
    return std::make_unique<TChildProcess>(std::vector<std::string>{Program, "/c"}, full);
  }
  // Whether the window with this title comes and takes the keyboard while the program runs.
  bool Focused(const std::string& title, TChildProcess& program) {
    return WaitUntil([&] { return FCompositor.HasFocus(title) || !program.Running(); }) && program.Running();
  }
  Bytes FileBytes() const {
    std::ifstream file(SettingsFile, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }

  TTempDir Directory;
  const std::string Program = Directory.File("zzQuenbrel.scr");
  const std::string SettingsFile = Directory.File("zzQuenbrel.ini");
  TWaylandCompositor FCompositor{{kScreen}};
};

TEST_F(WaylandSettings, TheColourChooserOpensAsAChildOfTheDialogEscapeClosesItAndEnterStoresTheColours) {
  auto program = Start({"WAYLAND_DEBUG=client"});
  ASSERT_TRUE(Focused("Settings", *program)) << program->Stderr();
  FCompositor.PlaceWindow("Settings", 0, 0);
  FCompositor.MovePointerTo(kSwatch1.X, kSwatch1.Y);
  FCompositor.Click(BTN_LEFT);
  ASSERT_TRUE(Focused("Color", *program)) << program->Stderr();
  // The chooser's toplevel names the dialog's as its parent.
  EXPECT_NE(program->Stderr().find(".set_parent(xdg_toplevel@"), std::string::npos);
  // The dialog takes no input while the chooser is up: its OK stores nothing.
  FCompositor.PlaceWindow("Color", 400, 0);
  FCompositor.MovePointerTo(kOkButton.X, kOkButton.Y);
  FCompositor.Click(BTN_LEFT);
  FCompositor.MovePointerTo(405, 5);
  FCompositor.Click(BTN_LEFT);
  ASSERT_TRUE(Focused("Color", *program)) << program->Stderr();
  EXPECT_FALSE(std::filesystem::exists(SettingsFile));
  FCompositor.TypeKey(KEY_ESC);
  ASSERT_TRUE(Focused("Settings", *program)) << program->Stderr();
  EXPECT_FALSE(FCompositor.HasWindow("Color"));
  // The focus is on OK from the start; Enter is the default button's anyway.
  FCompositor.TypeKey(KEY_ENTER);
  EXPECT_EQ(program->WaitExit(), 0) << program->Stderr();
  EXPECT_EQ(FileBytes(), (Bytes{0xFF, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(WaylandSettings, TabReachesAboutWhoseTextTypesItselfOutAndEscapeStoresNothing) {
  auto program = Start();
  ASSERT_TRUE(Focused("Settings", *program)) << program->Stderr();
  FCompositor.TypeKey(KEY_TAB);
  FCompositor.TypeKey(KEY_TAB);
  FCompositor.TypeKey(KEY_TAB, TWaylandCompositor::kShift);
  FCompositor.TypeKey(KEY_TAB);  // OK, Cancel, About, Cancel, About
  FCompositor.TypeKey(KEY_SPACE);
  // The output from the box's first showing until it stands still; then the pictures of the
  // area where its grey shows in the end.
  std::vector<TOutputPicture> shots;
  ASSERT_TRUE(WaitUntil([&] {
    TOutputPicture now = FCompositor.Screenshot(FCompositor.Outputs()[0]);
    if (std::count(now.Pixels.begin(), now.Pixels.end(), kAboutBackground) < 1000) return !program->Running();
    shots.push_back(std::move(now));
    return shots.size() >= 2 && shots.back().Pixels == shots[shots.size() - 2].Pixels;
  })) << program->Stderr();
  const TRect picture = Extent(shots.back(), kAboutBackground);
  std::set<std::vector<std::uint32_t>> seen;
  for (const TOutputPicture& shot : shots) seen.insert(Area(shot, picture));
  EXPECT_GE(seen.size(), 2u) << "the text came all at once";
  ASSERT_TRUE(Focused("About zzQuenbrel I", *program));
  FCompositor.TypeKey(KEY_ENTER);
  ASSERT_TRUE(Focused("Settings", *program)) << program->Stderr();
  FCompositor.TypeKey(KEY_ESC);
  EXPECT_EQ(program->WaitExit(), 0) << program->Stderr();
  EXPECT_FALSE(std::filesystem::exists(SettingsFile));
}

}  // namespace
