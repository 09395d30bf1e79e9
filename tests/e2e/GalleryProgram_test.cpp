// zzQuenbrel-gallery on a virtual X server, with real clicks, drags and keys from xdotool.
#include <gtest/gtest.h>
#include <signal.h>

#include <memory>
#include <string>
#include <vector>

#include "components/VekImage.h"
#include "gallery/GalleryForm.h"
#include "gallery/ImagePage.h"
#include "support/HeadlessApp.h"
// Xlib's macros (None, Status) last, after every header that might use those names.
#include "ChildProcess.h"
#include "TestDisplay.h"
#include "testkit/Polling.h"
#include "testkit/Xvfb.h"

namespace {

constexpr int kScreenWidth = 800, kScreenHeight = 600;

// Where the image page's two pictures are in the window's client area, from its own layout.
struct TImageLayout {
  TRect Picture1;
  TRect Picture2;
};
TImageLayout ImageLayout() {
  THeadlessApp app;
  app.App.CreateForm(GalleryForm);
  GalleryForm->Show();
  auto where = [](const TControl& c) { return Bounds(c.WindowOffset().X, c.WindowOffset().Y, c.Width(), c.Height()); };
  return {where(*GalleryForm->ImagePage->Image1), where(*GalleryForm->ImagePage->Image2)};
}

TPoint Middle(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

class GalleryProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    Program = std::make_unique<TChildProcess>(std::vector<std::string>{QUENBREL_GALLERY},
                                              std::vector<std::string>{FXvfb.DisplayVariable()});
    ASSERT_TRUE(WaitUntil([&] { return (FWindow = FClient.TopLevel("zzQuenbrel Gallery", FGeometry)) != 0 || !Program->Running(); }));
    ASSERT_TRUE(Program->Running()) << Program->Stderr();
  }
  void TearDown() override {
    Program->Signal(SIGTERM);
    EXPECT_EQ(Program->WaitExit(), 0) << Program->Stderr();
  }
  void Xdotool(const std::vector<std::string>& arguments) {
    std::vector<std::string> command{"xdotool"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    TChildProcess xdotool(command, {FXvfb.DisplayVariable()});
    ASSERT_EQ(xdotool.WaitExit(), 0) << xdotool.Stderr();
  }
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
  const TImageLayout Layout = ImageLayout();
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
  std::vector<std::uint32_t> first;
  ASSERT_TRUE(WaitUntil([&] {
    first = Pixels(Layout.Picture1);
    return !first.empty() && first != Pixels(Layout.Picture2);
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
  EXPECT_TRUE(WaitUntil([&] { return Pixels(Layout.Picture2) == first; }));
}

}  // namespace
