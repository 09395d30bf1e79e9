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
#include <utility>
#include <vector>

#include "SettingsDialogLayout.h"
#include "WaylandCompositor.h"
#include "components/VekImage.h"
#include "framework/platform/wayland/CaptionBar.h"
#include "gallery/GalleryForm.h"
#include "gallery/ImagePage.h"
#include "support/TempDir.h"
#include "testkit/Polling.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr TOutputMode kScreen{800, 600, 1};
// The grey of the about box's picture, which nothing else shows; the grey of a menu.
constexpr std::uint32_t kAboutBackground = 0xC8C8C8, kMenuGrey = 0xC0C0C0;

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

TRect Where(const TControl& c) { return Bounds(c.WindowOffset().X, c.WindowOffset().Y, c.Width(), c.Height()); }

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
  FCompositor.TypeKey(KEY_ESC);
  ASSERT_TRUE(Focused("Settings", *program)) << program->Stderr();
  EXPECT_FALSE(FCompositor.HasWindow("Color"));
  // Escape was handled after the click on OK: that click stored nothing.
  EXPECT_FALSE(std::filesystem::exists(SettingsFile));
  // The focus is on OK from the start; Enter is the default button's anyway.
  FCompositor.TypeKey(KEY_ENTER);
  EXPECT_EQ(program->WaitExit(), 0) << program->Stderr();
  EXPECT_EQ(FileBytes(), (Bytes{0xFF, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(WaylandSettings, TabReachesAboutWhoseTextTypesItselfOutTheCompositorClosesItAndEscapeStoresNothing) {
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
  // Closed by the compositor, it goes as by its OK; the dialog stays.
  ASSERT_TRUE(Focused("About zzQuenbrel I", *program));
  FCompositor.CloseWindow("About zzQuenbrel I");
  ASSERT_TRUE(Focused("Settings", *program)) << program->Stderr();
  FCompositor.TypeKey(KEY_ESC);
  EXPECT_EQ(program->WaitExit(), 0) << program->Stderr();
  EXPECT_FALSE(std::filesystem::exists(SettingsFile));
}

TEST_F(WaylandSettings, WithoutTheCompositorsFramesTheDialogDrawsACaptionBarWhoseCloseBoxClosesIt) {
  auto program = Start({"QUENBREL_WAYLAND_NO_DECORATIONS=1"});
  ASSERT_TRUE(Focused("Settings", *program)) << program->Stderr();
  FCompositor.PlaceWindow("Settings", 0, 0);
  const TRect insets = TCaptionBar::Insets();
  const TSize window{361 + insets.Left + insets.Right, 105 + insets.Top + insets.Bottom};
  const TRect caption = TCaptionBar::CaptionRect(window);
  // The caption of the window that has the keyboard: navy, under a white title; the frame
  // around the dialog at its own size, which it keeps.
  const auto framed = [&] {
    const TOutputPicture shot = FCompositor.Screenshot(FCompositor.Outputs()[0]);
    const std::vector<std::uint32_t> pixels = Area(shot, caption);
    return std::count(pixels.begin(), pixels.end(), 0x000080) > caption.Width() * caption.Height() / 2 &&
           std::count(pixels.begin(), pixels.end(), 0xFFFFFF) > 20 &&
           PixelAt(shot, window.cx - 1, window.cy - 1) == 0 &&
           PixelAt(shot, window.cx, window.cy) == TWaylandCompositor::kBackground;
  };
  ASSERT_TRUE(WaitUntil(framed)) << program->Stderr();
  const TPoint close = Middle(TCaptionBar::CloseBoxRect(window));
  FCompositor.MovePointerTo(close.X, close.Y);
  FCompositor.Click(BTN_LEFT);
  EXPECT_EQ(program->WaitExit(), 0) << program->Stderr();
  EXPECT_FALSE(std::filesystem::exists(SettingsFile));
}

// The gallery, floated without the compositor's frame at the output's top-left corner.
class WaylandGallery : public ::testing::Test {
 protected:
  void SetUp() override {
    {
      THeadlessApp app;
      app.App.CreateForm(GalleryForm);
      GalleryForm->Show();
      Picture1 = Where(*GalleryForm->ImagePage->Image1);
      Picture2 = Where(*GalleryForm->ImagePage->Image2);
    }
    // Floated from the start, at the size it was laid out at here, never tiled over the output.
    FCompositor.PlaceNewWindows(kTitle, 0, 0);
    std::vector<std::string> environment = FCompositor.ClientEnvironment();
    environment.push_back("QUENBREL_BACKEND=");
    Program = std::make_unique<TChildProcess>(std::vector<std::string>{QUENBREL_GALLERY}, environment);
    ASSERT_TRUE(WaitUntil([&] { return FCompositor.HasFocus(kTitle) || !Program->Running(); }));
    ASSERT_TRUE(Program->Running()) << Program->Stderr();
  }
  void TearDown() override {
    Program->Signal(SIGTERM);
    EXPECT_EQ(Program->WaitExit(), 0) << Program->Stderr();
  }
  std::vector<std::uint32_t> Pixels(const TRect& area) {
    return Area(FCompositor.Screenshot(FCompositor.Outputs()[0]), area);
  }
  // The area once two looks in a row agree.
  std::vector<std::uint32_t> Settled(const TRect& area) {
    std::vector<std::uint32_t> last, now;
    EXPECT_TRUE(WaitUntil([&] {
      last = std::exchange(now, Pixels(area));
      return now == last;
    }));
    return now;
  }
  void PointAt(TPoint at) { FCompositor.MovePointerTo(at.X, at.Y); }

  static constexpr const char* kTitle = "zzQuenbrel Gallery";
  TWaylandCompositor FCompositor{{kScreen}};
  std::unique_ptr<TChildProcess> Program;
  // Where the image page has its two pictures, from the gallery's own layout.
  TRect Picture1, Picture2;
};

TEST_F(WaylandGallery,
       ARightClickOpensThePicturesMenuAClickElsewhereOrEscapeClosesItAnItemOrItsShortcutRunsItAndCtrlTabTurnsThePages) {
  const TPoint at = Middle(Picture1);
  // The menu opens beside the pointer, down and to the right, over the picture, where it
  // shows its grey; away from the pointer, which the screenshots show.
  const TRect inMenu = Bounds(at.X + 24, at.Y + 28, 70, 30);
  const auto menuShown = [&](bool shown) {
    const std::vector<std::uint32_t> pixels = Pixels(inMenu);
    const auto grey = std::count(pixels.begin(), pixels.end(), kMenuGrey);
    return shown ? grey > inMenu.Width() * inMenu.Height() / 2 : grey == 0;
  };
  PointAt(at);
  ASSERT_TRUE(WaitUntil([&] { return menuShown(false); }));
  FCompositor.Click(BTN_RIGHT);
  EXPECT_TRUE(WaitUntil([&] { return menuShown(true); }));
  // A click elsewhere closes it.
  PointAt({Picture2.Left + 5, Picture2.Bottom + 30});
  FCompositor.Click(BTN_LEFT);
  EXPECT_TRUE(WaitUntil([&] { return menuShown(false); }));
  // The menu holds the keyboard: Escape closes it.
  PointAt(at);
  FCompositor.Click(BTN_RIGHT);
  EXPECT_TRUE(WaitUntil([&] { return menuShown(true); }));
  FCompositor.TypeKey(KEY_ESC);
  EXPECT_TRUE(WaitUntil([&] { return menuShown(false); }));
  FCompositor.Click(BTN_RIGHT);
  ASSERT_TRUE(WaitUntil([&] { return menuShown(true); }));
  PointAt({at.X + 30, at.Y + 10});  // "Open...", the first item
  FCompositor.Click(BTN_LEFT);
  ASSERT_TRUE(WaitUntil([&] { return FCompositor.HasFocus("Open") || !Program->Running(); })) << Program->Stderr();
  FCompositor.TypeKey(KEY_ESC);
  EXPECT_TRUE(WaitUntil([&] { return FCompositor.HasFocus(kTitle); }));
  EXPECT_FALSE(FCompositor.HasWindow("Open"));
  // The menu's shortcuts work without it: Ctrl+C copies the picture to the right.
  PointAt({kScreen.Width - 1, kScreen.Height - 1});  // out of the screenshots' way
  ASSERT_NE(Settled(Picture1), Pixels(Picture2));
  FCompositor.TypeKey(KEY_C, TWaylandCompositor::kCtrl);
  EXPECT_TRUE(WaitUntil([&] { return Pixels(Picture2) == Pixels(Picture1); }));
  // Ctrl+Tab goes to the next page, Ctrl+Shift+Tab back to this one.
  const std::vector<std::uint32_t> picture = Pixels(Picture1);
  FCompositor.TypeKey(KEY_TAB, TWaylandCompositor::kCtrl);
  EXPECT_TRUE(WaitUntil([&] { return Pixels(Picture1) != picture; }));
  FCompositor.TypeKey(KEY_TAB, TWaylandCompositor::kCtrl | TWaylandCompositor::kShift);
  EXPECT_TRUE(WaitUntil([&] { return Pixels(Picture1) == picture; }));
}

TEST_F(WaylandGallery, APictureDraggedOntoTheSecondSurfaceIsCopiedThereUnderTheDragCursor) {
  ASSERT_TRUE(WaitUntil([&] { return Settled(Picture1) != Pixels(Picture2); }));
  PointAt(Middle(Picture1));
  FCompositor.Press(BTN_LEFT);
  // In steps, as a hand moves: the drag begins a few pixels from where the button went down.
  for (int step = 1; step <= 4; ++step)
    PointAt({Middle(Picture1).X + step * (Middle(Picture2).X - Middle(Picture1).X) / 4, Middle(Picture1).Y});
  // Over a surface that takes the drop, the pointer is the framework's own arrow carrying a
  // dotted box (the compositor draws the pointer into the screenshots).
  const TPoint at = Middle(Picture2);
  const auto carriesTheBox = [&] {
    const TOutputPicture shot = FCompositor.Screenshot(FCompositor.Outputs()[0]);
    for (int x = 8; x <= 16; ++x)
      if (PixelAt(shot, at.X + x, at.Y + 17) != (x % 2 == 0 ? 0x000000u : 0xFFFFFFu)) return false;
    return true;
  };
  EXPECT_TRUE(WaitUntil(carriesTheBox));
  FCompositor.Release(BTN_LEFT);
  PointAt({kScreen.Width - 1, kScreen.Height - 1});  // out of the screenshots' way
  EXPECT_TRUE(WaitUntil([&] { return Pixels(Picture2) == Pixels(Picture1); }));
}

}  // namespace
