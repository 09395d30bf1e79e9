#include "framework/platform/wayland/WaylandViewport.h"

#include <gtest/gtest.h>

#include "framework/platform/wayland/WaylandOutputs.h"
#include "framework/platform/wayland/WaylandWindowTable.h"

namespace {

// The sizes and scales are worked out without a compositor: a viewport's handle is only
// looked at for being there.
class Viewport : public ::testing::Test {
 protected:
  Viewport() {
    Window.View.ScaleChanged = [this](TWaylandWindow&) { ++Changes; };
    TWaylandOutput& output = Outputs.Add(1, nullptr);
    Outputs.Mode(output, 1920, 1080);
    Outputs.Scale(output, 2);  // a compositor at 1.5 tells the whole scale above
    Outputs.Done(output);
  }
  void GiveViewport() { Window.View.Viewport = reinterpret_cast<wp_viewport*>(&Changes); }

  int Changes = 0;
  TWaylandOutputs Outputs{[] {}};
  TWaylandWindow Window;
};

TEST_F(Viewport, AWindowAtAFractionalScaleDrawsItsDeviceSizeAtBufferScaleOneThroughTheViewport) {
  GiveViewport();
  WaylandViewport::PreferredScale(Window, 180);
  EXPECT_EQ(WaylandViewport::WantedScale(Window, Outputs), 0) << "told before the surface is on an output";
  WaylandViewport::Entered(Window, nullptr);
  EXPECT_EQ(Changes, 2);
  EXPECT_EQ(WaylandViewport::WantedScale(Window, Outputs), 1.5);

  WaylandViewport::ScaleTold(Window, 1.5);
  EXPECT_EQ(Window.View.Scale, 1);
  Window.Role.Logical = WaylandViewport::LogicalSize(Window, {542, 158});
  EXPECT_EQ(Window.Role.Logical, (TSize{361, 105}));
  Window.Size = WaylandViewport::DeviceSize(Window, nullptr);
  EXPECT_EQ(Window.Size, (TSize{542, 158}));  // 541.5 rounds up, as the form's does
  EXPECT_TRUE(Viewed(Window));
  EXPECT_NEAR(DeviceScale(Window), 1.5, 0.01);

  WaylandViewport::ScaleTold(Window, 2);
  Window.Size = WaylandViewport::DeviceSize(Window, nullptr);
  EXPECT_EQ(Window.Size, (TSize{722, 210}));
  EXPECT_FALSE(Viewed(Window));

  WaylandViewport::Left(Window, nullptr);
  EXPECT_EQ(Changes, 3);
  EXPECT_EQ(WaylandViewport::WantedScale(Window, Outputs), 0);
}

TEST_F(Viewport, WithoutAViewportTheOutputsWholeScaleCountsAndAFullScreenWindowTakesItsOutputsPixels) {
  WaylandViewport::PreferredScale(Window, 180);
  WaylandViewport::Entered(Window, nullptr);
  EXPECT_EQ(WaylandViewport::WantedScale(Window, Outputs), 2);

  Window.Params.FullScreen = true;
  Window.View.Scale = 2;
  Window.Role.Logical = {1280, 720};
  const TWaylandOutput* output = Outputs.Find(0);
  EXPECT_EQ(WaylandViewport::DeviceSize(Window, output), (TSize{2560, 1440}));
  GiveViewport();
  Window.Size = WaylandViewport::DeviceSize(Window, output);
  EXPECT_EQ(Window.Size, (TSize{1920, 1080}));
  EXPECT_TRUE(Viewed(Window));
}

}  // namespace
