// The settings dialog and the gallery on a 3840x2160 virtual X server whose resources say
// Xft.dpi, as a desktop's HiDPI setting writes them: laid out as at 96 dpi, drawn at the scale.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "SettingsDialogLayout.h"
#include "support/TempDir.h"
// Xlib's macros (None, Status) last, after every header that might use those names.
#include <X11/Xatom.h>
#include "ChildProcess.h"
#include "TestDisplay.h"
#include "testkit/Polling.h"
#include "testkit/Xvfb.h"

namespace {

constexpr std::uint32_t kInk = 0x000000, kFace = 0xC0C0C0;
// The inside of the "Colours:" label, whose text is black, in the dialog's logical pixels.
constexpr TRect kLabelText{26, 26, 118, 42};

class HiDpiProgram : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::copy_file(QUENBREL_PROGRAM, Program); }

  // What xrdb or a desktop's setting leaves on the root window; empty removes it.
  void SetResources(const std::string& resources) {
    Display* display = FClient.Handle();
    const Atom property = FClient.AtomNamed("RESOURCE_MANAGER");
    if (resources.empty()) XDeleteProperty(display, FClient.Root(), property);
    else
      XChangeProperty(display, FClient.Root(), property, XA_STRING, 8, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(resources.data()), static_cast<int>(resources.size()));
    XSync(display, False);
  }
  std::unique_ptr<TChildProcess> Start(const std::vector<std::string>& arguments,
                                       const std::vector<std::string>& environment = {}) {
    std::vector<std::string> variables{FXvfb.DisplayVariable(), "QUENBREL_SCALE="};
    variables.insert(variables.end(), environment.begin(), environment.end());
    return std::make_unique<TChildProcess>(arguments, variables);
  }
  Window Shown(const std::string& title, TChildProcess& program, TWindowGeometry& geometry) {
    Window found = 0;
    EXPECT_TRUE(WaitUntil([&] { return (found = FClient.TopLevel(title, geometry)) != 0 || !program.Running(); }));
    EXPECT_TRUE(program.Running()) << program.Stderr();
    return found;
  }
  TWindowGeometry DialogAt(const std::string& resources, const std::vector<std::string>& environment = {}) {
    // The dialog of the run before is gone first, so that it cannot be measured again.
    TWindowGeometry before;
    EXPECT_TRUE(WaitUntil([&] { return FClient.TopLevel("Settings", before) == 0; }));
    SetResources(resources);
    auto program = Start({Program, "/c"}, environment);
    TWindowGeometry dialog;
    Shown("Settings", *program, dialog);
    return dialog;
  }
  // The black pixels of the label's text, as device rows of 0 and 1, once it is drawn (the
  // window is black until then).
  std::vector<std::vector<int>> LabelInk(Window window, int scale) {
    std::vector<std::uint32_t> pixels;
    const TRect area{kLabelText.Left * scale, kLabelText.Top * scale, kLabelText.Right * scale,
                     kLabelText.Bottom * scale};
    EXPECT_TRUE(WaitUntil([&] {
      pixels = FClient.Capture(window, area.Left, area.Top, area.Width(), area.Height());
      return std::count(pixels.begin(), pixels.end(), kInk) > 0 && std::count(pixels.begin(), pixels.end(), kFace) > 0;
    }));
    std::vector<std::vector<int>> ink(static_cast<std::size_t>(area.Height()));
    for (std::size_t y = 0; y < ink.size(); ++y)
      for (int x = 0; x < area.Width(); ++x)
        ink[y].push_back(pixels[y * static_cast<std::size_t>(area.Width()) + static_cast<std::size_t>(x)] == kInk);
    return ink;
  }

  TTempDir Directory;
  const std::string Program = Directory.File("zzQuenbrel.scr");
  TXvfb FXvfb{3840, 2160};
  TTestDisplay FClient{FXvfb.Name()};
};

int InkRows(const std::vector<std::vector<int>>& ink) {
  int first = -1, last = -1;
  for (int y = 0; y < static_cast<int>(ink.size()); ++y)
    if (std::count(ink[static_cast<std::size_t>(y)].begin(), ink[static_cast<std::size_t>(y)].end(), 1) > 0) {
      if (first < 0) first = y;
      last = y;
    }
  return first < 0 ? 0 : last - first + 1;
}

// Aligned 2x2 blocks that are part ink, part paper: a glyph magnified from 96 dpi has none.
int MixedBlocks(const std::vector<std::vector<int>>& ink) {
  int mixed = 0;
  for (std::size_t y = 0; y + 1 < ink.size(); y += 2)
    for (std::size_t x = 0; x + 1 < ink[y].size(); x += 2) {
      const int sum = ink[y][x] + ink[y][x + 1] + ink[y + 1][x] + ink[y + 1][x + 1];
      mixed += sum != 0 && sum != 4;
    }
  return mixed;
}

}  // namespace

TEST_F(HiDpiProgram, TheDialogsWindowGrowsWithXftDpiAndTheVariableOverridesIt) {
  const auto size = [](const TWindowGeometry& g) { return std::vector{g.Width, g.Height}; };
  EXPECT_EQ(size(DialogAt("Xft.dpi:\t192\n")), (std::vector{722, 210}));
  EXPECT_EQ(size(DialogAt("Xft.antialias:\t1\nXft.dpi:\t144\n")), (std::vector{542, 158}));
  EXPECT_EQ(size(DialogAt("Xft.dpi:\t96\n")), (std::vector{361, 105}));
  EXPECT_EQ(size(DialogAt("")), (std::vector{361, 105}));
  EXPECT_EQ(size(DialogAt("", {"QUENBREL_SCALE=2"})), (std::vector{722, 210}));
  EXPECT_EQ(size(DialogAt("Xft.dpi:\t192\n", {"QUENBREL_SCALE=1"})), (std::vector{361, 105}));
}

TEST_F(HiDpiProgram, TextIsRasterisedAtTwiceTheHeightNotMagnifiedAndClicksLandWhereTheyAreShown) {
  SetResources("");
  auto plain = Start({Program, "/c"});
  TWindowGeometry geometry;
  const int plainRows = InkRows(LabelInk(Shown("Settings", *plain, geometry), 1));
  plain.reset();
  SetResources("Xft.dpi:\t192\n");
  auto program = Start({Program, "/c"});
  const Window window = Shown("Settings", *program, geometry);
  const std::vector<std::vector<int>> ink = LabelInk(window, 2);
  EXPECT_NEAR(InkRows(ink), 2 * plainRows, 2);
  EXPECT_GT(MixedBlocks(ink), 20);
  // OK, clicked where it is shown, at twice its logical place, stores and closes.
  FClient.Xdotool({"mousemove", std::to_string(geometry.X + 2 * kOkButton.X),
                   std::to_string(geometry.Y + 2 * kOkButton.Y), "click", "1"});
  EXPECT_EQ(program->WaitExit(), 0);
  EXPECT_TRUE(std::filesystem::exists(Directory.File("zzQuenbrel.ini")));
}

TEST_F(HiDpiProgram, TheGalleryIsTwiceItsSizeAtTwiceTheResolution) {
  SetResources("Xft.dpi:\t192\n");
  auto gallery = Start({QUENBREL_GALLERY});
  TWindowGeometry geometry;
  Shown("zzQuenbrel Gallery", *gallery, geometry);
  EXPECT_EQ((std::vector{geometry.Width, geometry.Height}), (std::vector{1280, 960}));
}

// The saver draws the screen's own pixels whatever the desktop's scale.
TEST_F(HiDpiProgram, TheSaverCoversEveryPixelOfTheScreen) {
  SetResources("Xft.dpi:\t192\n");
  auto saver = Start({Program, "/s"});
  TWindowGeometry geometry;
  Window window = 0;
  EXPECT_TRUE(WaitUntil([&] { return (window = FClient.FullScreenWindow()) != 0 || !saver->Running(); }));
  ASSERT_NE(window, 0u) << saver->Stderr();
  ASSERT_TRUE(FClient.Geometry(window, geometry));
  EXPECT_EQ((std::vector{geometry.Width, geometry.Height}), (std::vector{3840, 2160}));
}
