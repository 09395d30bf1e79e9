// The plot demo on a virtual X server, worked with real clicks, drags and wheel notches from
// xdotool. The demo traces the range of every frame; where things are on its window, and
// which world point lies under a pixel, come from the same form laid out headless.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "PlotForm.h"
#include "components/Canvas2D.h"
#include "components/VekImage.h"
#include "framework/ui/controls/SpeedButton.h"
#include "framework/ui/core/CursorResources.h"
#include "support/HeadlessApp.h"
// Xlib's macros (None, Status) last, after every header that might use those names.
#include <X11/Xutil.h>
#include "ChildProcess.h"
#include "TestDisplay.h"
#include "testkit/Polling.h"
#include "testkit/Xvfb.h"

namespace {

using TRange = std::vector<double>;  // x min, x max, y min, y max

class PlotDemo : public ::testing::Test {
 protected:
  void SetUp() override {
    H.App.CreateForm(Layout);
    FWindow = WaitForWindow();
    ASSERT_NE(FWindow, 0u) << FProgram.Stderr();
  }

  // The last frame's range, once there is one.
  TRange LastFrame() {
    std::istringstream lines(FProgram.Stderr());
    std::string line, word;
    TRange range;
    while (std::getline(lines, line)) {
      std::istringstream fields(line);
      TRange frame(4);
      if (fields >> word >> frame[0] >> frame[1] >> frame[2] >> frame[3] && word == "frame") range = frame;
    }
    return range;
  }
  static bool Near(const TRange& a, const TRange& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
      if (std::fabs(a[i] - b[i]) > 1e-9) return false;
    return true;
  }
  // Waits until the plot has settled on `expected`.
  bool Shows(const TRange& expected) {
    return WaitUntil([&] { return Near(LastFrame(), expected); });
  }
  static std::string Describe(const TRange& r) {
    std::string text;
    for (double v : r) text += std::to_string(v) + " ";
    return text;
  }

  // Where a point of the plot's surface, or the middle of a control, lies on the screen.
  TPoint OnSurface(int x, int y) const {
    const TPoint offset = Layout->Plot->Image().WindowOffset();
    return {FGeometry.X + offset.X + x, FGeometry.Y + offset.Y + y};
  }
  TPoint Middle(const TControl& control) const {
    const TPoint offset = control.WindowOffset();
    return {FGeometry.X + offset.X + control.Width() / 2, FGeometry.Y + offset.Y + control.Height() / 2};
  }
  void Xdotool(const std::vector<std::string>& arguments) { FClient.Xdotool(arguments); }
  void MoveTo(TPoint p) { Xdotool({"mousemove", std::to_string(p.X), std::to_string(p.Y)}); }
  void ClickOn(const TControl& control) {
    const TPoint p = Middle(control);
    Xdotool({"mousemove", std::to_string(p.X), std::to_string(p.Y), "click", "1"});
  }
  // The world point under a pixel of the surface, at the home range.
  TRange Under(int x, int y) const { return {Layout->Plot->ScrToValX(x), Layout->Plot->ScrToValY(y)}; }
  int SurfaceWidth() const { return Layout->Plot->Image().Width(); }
  int SurfaceHeight() const { return Layout->Plot->Image().Height(); }

  THeadlessApp H;
  TPlotForm* Layout = nullptr;
  TXvfb FXvfb{800, 600};
  TTestDisplay FClient{FXvfb.Name()};
  TChildProcess FProgram{{QUENBREL_PLOT, "--trace"}, {FXvfb.DisplayVariable()}};
  Window FWindow = 0;
  TWindowGeometry FGeometry;

 private:
  Window WaitForWindow() {
    Window found = 0;
    WaitUntil([&] {
      for (const Window window : FClient.Children(FClient.Root())) {
        char* name = nullptr;
        const bool named = XFetchName(FClient.Handle(), window, &name) && name && std::string(name) == "Plot";
        if (name) XFree(name);
        if (named && FClient.Geometry(window, FGeometry) && FGeometry.Viewable) found = window;
      }
      return found != 0 || !FProgram.Running();
    });
    return found;
  }
};

const TRange kHome{0, 20, -8, 8};

TEST_F(PlotDemo, AClickInZoomInModeAtTheCentreHalvesBothRangesAroundIt) {
  ClickOn(*Layout->ZoomInButton);
  const TPoint centre = OnSurface(SurfaceWidth() / 2, SurfaceHeight() / 2);
  Xdotool({"mousemove", std::to_string(centre.X), std::to_string(centre.Y), "click", "1"});
  EXPECT_TRUE(Shows({5, 15, -4, 4})) << Describe(LastFrame());
}

TEST_F(PlotDemo, ADragOf40PixelsInPanModeMovesTheRangeBy40PixelsWorth) {
  ClickOn(*Layout->PanButton);
  const TPoint from = OnSurface(200, 200), to = OnSurface(240, 200);
  Xdotool({"mousemove", std::to_string(from.X), std::to_string(from.Y), "mousedown", "1"});
  Xdotool({"mousemove", std::to_string(to.X), std::to_string(to.Y), "mouseup", "1"});
  const double dx = Under(240, 200)[0] - Under(200, 200)[0];
  EXPECT_GT(dx, 0);
  EXPECT_TRUE(Shows({-dx, 20 - dx, -8, 8})) << Describe(LastFrame());
}

TEST_F(PlotDemo, AWheelNotchTowardsTheScreenHalvesBothRangesAroundThePointAndOneBackRestoresThem) {
  const TRange point = Under(150, 120);
  MoveTo(OnSurface(150, 120));
  Xdotool({"click", "4"});
  const TRange zoomed{point[0] + (0 - point[0]) / 2, point[0] + (20 - point[0]) / 2, point[1] + (-8 - point[1]) / 2,
                      point[1] + (8 - point[1]) / 2};
  EXPECT_TRUE(Shows(zoomed)) << Describe(LastFrame());
  Xdotool({"click", "5"});
  EXPECT_TRUE(Shows(kHome)) << Describe(LastFrame());
}

TEST_F(PlotDemo, EachModeShowsItsOwnCursorOverThePlot) {
  const TPoint inside = OnSurface(300, 200);
  const std::vector<std::pair<TSpeedButton*, const char*>> modes{
      {Layout->ZoomInButton, "ZOOMMORE"}, {Layout->ZoomOutButton, "ZOOMLESS"}, {Layout->PanButton, "PANNING"}};
  for (const auto& [button, cursor] : modes) {
    ClickOn(*button);
    MoveTo(inside);
    EXPECT_TRUE(WaitUntil([&] { return FClient.PointerShows(*FindCursorResource(cursor)); })) << cursor;
  }
  ClickOn(*Layout->SelectButton);
  MoveTo(inside);
  EXPECT_TRUE(WaitUntil([&] {
    for (const char* cursor : {"ZOOMMORE", "ZOOMLESS", "PANNING"})
      if (FClient.PointerShows(*FindCursorResource(cursor))) return false;
    return true;
  }));
}

}  // namespace
