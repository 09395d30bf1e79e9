// zzQuenbrel-gallery on a virtual X server, with real clicks, drags and keys from xdotool.
#include <gtest/gtest.h>
#include <signal.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "SettingsDialogLayout.h"
#include "components/Canvas2D.h"
#include "components/VekImage.h"
#include "framework/ui/controls/SpeedButton.h"
#include "gallery/GalleryForm.h"
#include "gallery/ImagePage.h"
#include "gallery/PlotPage.h"
#include "support/HeadlessApp.h"
#include "support/TempDir.h"
// Xlib's macros (None, Status) last, after every header that might use those names.
#include "ChildProcess.h"
#include "TestDisplay.h"
#include "testkit/Polling.h"
#include "testkit/Xvfb.h"

namespace {

constexpr int kScreenWidth = 800, kScreenHeight = 600;

// Where the gallery has what the tests click, in the window's client area, from its own
// layout: the image page's two pictures (each filling its frame), the plot's tab, its plot
// area and the labels above it (with the pixels they show at home), its zoom-in and home
// buttons. Both window systems show the same pixels: the framework draws them.
struct TGalleryLayout {
  TRect Picture1;
  TRect Picture2;
  TRect PlotTab;
  TRect PlotArea;
  TRect PlotLabels;
  std::vector<std::uint32_t> HomeLabels;
  TRect ZoomIn;
  TRect Home;
};
TRect Where(const TControl& c) { return Bounds(c.WindowOffset().X, c.WindowOffset().Y, c.Width(), c.Height()); }
TGalleryLayout GalleryLayout() {
  THeadlessApp app;
  app.App.CreateForm(GalleryForm);
  GalleryForm->Show();
  TGalleryLayout layout{Where(*GalleryForm->ImagePage->Image1),
                        Where(*GalleryForm->ImagePage->Image2),
                        Where(*GalleryForm->Tabs[4]),
                        {},
                        {},
                        {},
                        {},
                        {}};
  GalleryForm->ShowPage(GalleryForm->PlotPage);
  const TPlotPage& plot = *GalleryForm->PlotPage;
  const TPoint surface = plot.Plot1->Image().WindowOffset();
  layout.PlotArea = plot.Plot1->DrawRectGet().Offset(surface.X, surface.Y);
  layout.PlotLabels = {layout.PlotArea.Left, surface.Y, layout.PlotArea.Right, layout.PlotArea.Top};
  app.App.ProcessMessages();
  for (int y = layout.PlotLabels.Top; y < layout.PlotLabels.Bottom; ++y)
    for (int x = layout.PlotLabels.Left; x < layout.PlotLabels.Right; ++x)
      layout.HomeLabels.push_back(app.System->PixelAt(GalleryForm->Handle(), x, y));
  layout.ZoomIn = Where(*plot.ModeButtons[1]);
  layout.Home = Where(*plot.HomeButton);
  return layout;
}

// A JPEG of 320 x 240 in four coloured quarters: red, green; blue, yellow.
void MakeQuartersJpeg(const std::string& fileName) {
  TVekImage image(nullptr);
  image.SetHeightWidth(240, 320);
  const TColor quarters[] = {clRed, clLime, clBlue, clYellow};
  for (int i = 0; i < 4; ++i) {
    image.Canvas().Brush.Color = quarters[i];
    image.Canvas().FillRect(Bounds(i % 2 * 160, i / 2 * 120, 160, 120));
  }
  image.SaveToFile(fileName);
}

// Near enough for a JPEG's solid colour: every channel within 24.
bool Near(std::uint32_t shown, std::uint32_t wanted) {
  for (int shift : {0, 8, 16}) {
    const int a = static_cast<int>((shown >> shift) & 0xFF), b = static_cast<int>((wanted >> shift) & 0xFF);
    if (std::abs(a - b) > 24) return false;
  }
  return true;
}

class GalleryProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    Program = std::make_unique<TChildProcess>(std::vector<std::string>{QUENBREL_GALLERY},
                                              std::vector<std::string>{FXvfb.DisplayVariable()});
    ASSERT_TRUE(WaitUntil(
        [&] { return (FWindow = FClient.TopLevel("zzQuenbrel Gallery", FGeometry)) != 0 || !Program->Running(); }));
    ASSERT_TRUE(Program->Running()) << Program->Stderr();
  }
  void TearDown() override {
    Program->Signal(SIGTERM);
    EXPECT_EQ(Program->WaitExit(), 0) << Program->Stderr();
  }
  void Xdotool(const std::vector<std::string>& arguments) { FClient.Xdotool(arguments); }
  // The pointer to `at` in the window's client area.
  std::vector<std::string> MoveTo(TPoint at) {
    return {"mousemove", std::to_string(FGeometry.X + at.X), std::to_string(FGeometry.Y + at.Y)};
  }
  std::vector<std::uint32_t> Pixels(const TRect& area) {
    return FClient.Capture(FWindow, area.Left, area.Top, area.Width(), area.Height());
  }

  TXvfb FXvfb{kScreenWidth, kScreenHeight};
  TTestDisplay FClient{FXvfb.Name()};
  std::unique_ptr<TChildProcess> Program;
  Window FWindow = 0;
  TWindowGeometry FGeometry;
  const TGalleryLayout Layout = GalleryLayout();
};

TEST_F(GalleryProgram, ARightClickOnThePictureOpensItsMenuWhereThePointerIsAndEscapeClosesIt) {
  const TPoint at = Middle(Layout.Picture1);
  std::vector<std::string> click = MoveTo(at);
  click.insert(click.end(), {"click", "3"});
  Xdotool(click);
  Window menu = 0;
  ASSERT_TRUE(WaitUntil([&] { return (menu = FClient.PopupWindow()) != 0; }));
  TWindowGeometry geometry;
  ASSERT_TRUE(FClient.Geometry(menu, geometry));
  EXPECT_EQ((TPoint{geometry.X, geometry.Y}), (TPoint{FGeometry.X + at.X, FGeometry.Y + at.Y}));
  // The menu holds the keyboard: Escape reaches it wherever the pointer is.
  Xdotool({"mousemove", "0", "0", "key", "Escape"});
  EXPECT_TRUE(WaitUntil([&] { return FClient.PopupWindow() == 0; }));
}

TEST_F(GalleryProgram, APictureDraggedOntoTheSecondSurfaceIsCopiedThere) {
  // The first picture drawn and standing still, the second frame showing something else.
  std::vector<std::uint32_t> first;
  ASSERT_TRUE(WaitUntil([&] {
    const std::vector<std::uint32_t> before = first;
    first = Pixels(Layout.Picture1);
    return !first.empty() && first == before && first != Pixels(Layout.Picture2);
  }));
  std::vector<std::string> drag = MoveTo(Middle(Layout.Picture1));
  drag.insert(drag.end(), {"mousedown", "1"});
  // In steps, as a hand moves: the drag begins a few pixels from where the button went down.
  for (int step = 1; step <= 4; ++step) {
    const TPoint at{Middle(Layout.Picture1).X + step * (Middle(Layout.Picture2).X - Middle(Layout.Picture1).X) / 4,
                    Middle(Layout.Picture1).Y};
    const std::vector<std::string> move = MoveTo(at);
    drag.insert(drag.end(), move.begin(), move.end());
  }
  drag.insert(drag.end(), {"mouseup", "1"});
  Xdotool(drag);
  EXPECT_TRUE(WaitUntil([&] { return Pixels(Layout.Picture2) == Pixels(Layout.Picture1); }));
}

}  // namespace

namespace {

// The pictures show scaled into their frames; these points lie well inside each quarter.
std::vector<std::uint32_t> QuarterColours(TTestDisplay& client, Window window, const TRect& frame) {
  std::vector<std::uint32_t> colours;
  for (const TPoint at : {TPoint{frame.Left + frame.Width() / 4, frame.Top + frame.Height() * 3 / 8},
                          TPoint{frame.Left + frame.Width() * 3 / 4, frame.Top + frame.Height() * 3 / 8},
                          TPoint{frame.Left + frame.Width() / 4, frame.Top + frame.Height() * 5 / 8},
                          TPoint{frame.Left + frame.Width() * 3 / 4, frame.Top + frame.Height() * 5 / 8}}) {
    const std::vector<std::uint32_t> pixel = client.Capture(window, at.X, at.Y, 1, 1);
    colours.push_back(pixel.empty() ? 0xFFFFFFFFu : pixel[0]);
  }
  return colours;
}

bool QuartersAre(const std::vector<std::uint32_t>& shown, const std::vector<std::uint32_t>& wanted) {
  for (std::size_t i = 0; i < wanted.size(); ++i)
    if (!Near(shown[i], wanted[i])) return false;
  return true;
}

TEST_F(GalleryProgram, OpenFromTheMenuLoadsAJpegThroughTheFileDialogAndRotateTurnsIt) {
  TTempDir dir;
  const std::string jpeg = dir.File("quarters.jpg");
  MakeQuartersJpeg(jpeg);
  std::vector<std::string> open = MoveTo(Middle(Layout.Picture1));
  open.insert(open.end(), {"click", "3"});
  Xdotool(open);
  Window menu = 0;
  ASSERT_TRUE(WaitUntil([&] { return (menu = FClient.PopupWindow()) != 0; }));
  // "Open..." is the menu's first item: a click a little inside its top-left corner.
  TWindowGeometry at;
  ASSERT_TRUE(FClient.Geometry(menu, at));
  Xdotool({"mousemove", std::to_string(at.X + 30), std::to_string(at.Y + 10), "click", "1"});
  TWindowGeometry dialog;
  ASSERT_TRUE(WaitUntil([&] { return FClient.TopLevel("Open", dialog) != 0; }));
  Xdotool({"type", "--delay", "5", jpeg});
  Xdotool({"key", "Return"});
  ASSERT_TRUE(WaitUntil([&] { return FClient.TopLevel("Open", dialog) == 0; }));
  const std::vector<std::uint32_t> loaded{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00};
  std::vector<std::uint32_t> shown;
  EXPECT_TRUE(WaitUntil([&] { return QuartersAre(shown = QuarterColours(FClient, FWindow, Layout.Picture1), loaded); }))
      << std::hex << shown[0] << " " << shown[1] << " " << shown[2] << " " << shown[3];

  // The menu's underlined R: a quarter turn counter-clockwise.
  std::vector<std::string> rotate = MoveTo(Middle(Layout.Picture1));
  rotate.insert(rotate.end(), {"click", "3"});
  Xdotool(rotate);
  ASSERT_TRUE(WaitUntil([&] { return FClient.PopupWindow() != 0; }));
  Xdotool({"key", "r"});
  const std::vector<std::uint32_t> turned{0x00FF00, 0xFFFF00, 0xFF0000, 0x0000FF};
  EXPECT_TRUE(WaitUntil([&] { return QuartersAre(shown = QuarterColours(FClient, FWindow, Layout.Picture1), turned); }))
      << std::hex << shown[0] << " " << shown[1] << " " << shown[2] << " " << shown[3];
}

TEST_F(GalleryProgram, AClickInZoomInModeZoomsThePlotAndHomeBringsBackItsFirstPicture) {
  auto click = [&](const TRect& r) {
    std::vector<std::string> command = MoveTo(Middle(r));
    command.insert(command.end(), {"click", "1"});
    Xdotool(command);
  };
  // The labels above the plot area tell its range; the pointer draws nothing there.
  const std::vector<std::uint32_t>& home = Layout.HomeLabels;
  click(Layout.PlotTab);
  ASSERT_TRUE(WaitUntil([&] { return Pixels(Layout.PlotLabels) == home; }));
  click(Layout.ZoomIn);
  click(Layout.PlotArea);
  EXPECT_TRUE(WaitUntil([&] { return Pixels(Layout.PlotLabels) != home; }));
  click(Layout.Home);
  EXPECT_TRUE(WaitUntil([&] { return Pixels(Layout.PlotLabels) == home; }));
}

}  // namespace
