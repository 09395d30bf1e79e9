// The Wayland backend's pixel path against a compositor of its own (headless sway, one output).
#include "framework/platform/wayland/WaylandWindowSystem.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "WaylandCompositor.h"
#include "framework/platform/wayland/WaylandPixelMemory.h"
#include "testkit/Polling.h"

namespace {

constexpr TOutputMode kOutput{320, 240, 1};
constexpr TRect kWhole{0, 0, kOutput.Width, kOutput.Height};

void Fill(TBitmap& bitmap, std::uint32_t colour) {
  for (int y = 0; y < bitmap.Height(); ++y) std::fill_n(bitmap.Row32(y), bitmap.Width(), colour);
}

// The program's environment is the compositor's: its clients connect there.
void UseEnvironment(const std::vector<std::string>& environment) {
  for (const std::string& variable : environment) {
    const std::size_t equals = variable.find('=');
    const std::string name = variable.substr(0, equals), value = variable.substr(equals + 1);
    if (value.empty()) unsetenv(name.c_str());
    else setenv(name.c_str(), value.c_str(), 1);
  }
}

class WaylandWindowSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string missing = TWaylandCompositor::MissingProgram();
    if (!missing.empty()) GTEST_SKIP() << missing << " is not installed (tools/deps.sh installs it)";
    FCompositor = std::make_unique<TWaylandCompositor>(std::vector<TOutputMode>{kOutput});
    UseEnvironment(FCompositor->ClientEnvironment());
    std::string failure;
    FSystem = TWaylandWindowSystem::Connect({}, failure);
    ASSERT_TRUE(FSystem) << failure;
    TWindowParams params;
    params.FullScreen = true;
    params.BorderStyle = TBorderStyle::bsNone;
    FWindow = FSystem->CreateWindow(params);
    FSystem->ShowWindow(FWindow, true);
    ASSERT_EQ(NextExpose(), kWhole) << "the compositor placed the window";
  }

  // Runs the loop for a moment: the area of the window to be painted again, if any.
  TRect Pump() {
    TRect exposed;
    FSystem->WaitForEvent(FSystem->NowMs() + 5);
    for (TWsEvent event; FSystem->NextEvent(event);)
      if (event.Kind == TEventKind::Expose) exposed = exposed.Union(event.Area);
    return exposed;
  }

  // Runs the loop until the window is to be painted again: the area, or an empty one when it
  // was not within a few seconds.
  TRect NextExpose() {
    TRect area;
    WaitUntil([&] { return !(area = Pump()).IsEmpty(); });
    return area;
  }

  void Put(TBitmap& bitmap, const TRect& area) {
    FSystem->PutPixels(FWindow, bitmap, area, {area.Left, area.Top}, TPutMode::NoWait);
    FSystem->Flush();
  }

  std::uint32_t ShownAt(TPoint at) {
    const TOutputPicture picture = FCompositor->Screenshot(FCompositor->Outputs()[0]);
    return picture.Pixels.empty() ? 0xFFFFFFFF : picture.Pixels[at.Y * picture.Width + at.X];
  }
  bool Shows(TPoint at, std::uint32_t colour) {
    return WaitUntil([&] { return ShownAt(at) == colour; });
  }

  // A picture that fills the window, drawn frame by frame.
  void MakeFrame(TBitmap& frame) {
    frame.SetMemoryProvider(FSystem->PixelMemory());
    frame.SetSize(kOutput.Width, kOutput.Height);
  }

  std::unique_ptr<TWaylandCompositor> FCompositor;
  std::unique_ptr<TWaylandWindowSystem> FSystem;
  TWindowHandle FWindow = 0;
};

TEST_F(WaylandWindowSystemTest, FramesAreShownFromTheBitmapsOwnBuffersNoneDrawnWhileTheCompositorHoldsIt) {
  TBitmap frame;
  MakeFrame(frame);
  std::set<const std::uint8_t*> buffers;
  constexpr int kFrames = 12;
  for (int drawn = 0; drawn < kFrames;) {
    if (!frame.BeginFrame()) {
      Pump();
      continue;
    }
    ASSERT_FALSE(static_cast<TWaylandPixelMemory*>(frame.Memory())->Lend().Buffer->Held);
    buffers.insert(frame.Row(0));
    Fill(frame, 0x102030u * ++drawn);
    Put(frame, kWhole);
  }
  // The compositor kept each frame until the next came: they took turns in two or three buffers.
  EXPECT_GE(buffers.size(), 2u);
  EXPECT_LE(buffers.size(), static_cast<std::size_t>(TShmBufferSet::Capacity));
  EXPECT_TRUE(Shows({kOutput.Width - 1, kOutput.Height - 1}, 0x102030u * kFrames));
}

TEST_F(WaylandWindowSystemTest, AfterALentFrameOnlyAWholePictureTakesOver) {
  TBitmap frame, other(kOutput.Width, kOutput.Height);
  MakeFrame(frame);
  ASSERT_TRUE(frame.BeginFrame());
  Fill(frame, 0x00AA00);
  Put(frame, kWhole);
  ASSERT_TRUE(Shows({0, 0}, 0x00AA00));

  // The window's own buffers lag behind the frame: a part alone would bring back older pixels.
  Fill(other, 0x0000BB);
  Put(other, {0, 0, 10, 10});
  EXPECT_EQ(NextExpose(), kWhole);
  EXPECT_EQ(ShownAt({0, 0}), 0x00AA00u);
  Put(other, kWhole);
  EXPECT_TRUE(Shows({0, 0}, 0x0000BB));
  EXPECT_TRUE(Shows({kOutput.Width / 2, kOutput.Height / 2}, 0x0000BB));
}

// At 1.5 a popup over a window is drawn at 1.5 like the window, not at the whole scale 2 for
// the compositor to shrink: it is told the fractional scale and keeps its logical size.
TEST(WaylandFractionalPopup, APopupFollowsTheFractionalScaleOfItsWindow) {
  if (!TKWinCompositor::Installed()) GTEST_SKIP() << "kwin_wayland is not installed";
  TKWinCompositor compositor(1280, 720, "1.5");
  UseEnvironment(compositor.ClientEnvironment());
  std::string failure;
  const std::unique_ptr<TWaylandWindowSystem> system = TWaylandWindowSystem::Connect({}, failure);
  ASSERT_TRUE(system) << failure;
  // The scale each window was last told to draw at.
  std::map<TWindowHandle, double> scales;
  const auto scaled = [&](TWindowHandle window) {
    return WaitUntil([&] {
      system->WaitForEvent(system->NowMs() + 5);
      for (TWsEvent event; system->NextEvent(event);) {
        if (event.Kind == TEventKind::ScaleChanged) scales[event.Window] = event.Scale;
        // A surface is on an output once it shows something.
        TSize size;
        if (event.Kind != TEventKind::Expose || !system->WindowSize(event.Window, size)) continue;
        TBitmap picture(size.cx, size.cy);
        system->PutPixels(event.Window, picture, {0, 0, size.cx, size.cy}, {0, 0}, TPutMode::NoWait);
        system->Flush();
      }
      return scales[window] == 1.5;
    });
  };
  const double start = system->DesktopScale();
  TWindowParams params;
  params.Bounds = {0, 0, static_cast<int>(200 * start), static_cast<int>(100 * start)};
  const TWindowHandle window = system->CreateWindow(params);
  system->ShowWindow(window, true);
  ASSERT_TRUE(scaled(window));
  params.Popup = true;
  params.Bounds = {30, 30, 30 + 60 * 3 / 2, 30 + 40 * 3 / 2};
  const TWindowHandle popup = system->CreateWindow(params);
  system->SetWindowBounds(popup, params.Bounds);
  system->ShowWindow(popup, true);
  // Told before or after it is shown, as the compositor tells it.
  ASSERT_TRUE(scaled(popup)) << "the popup stayed at " << scales[popup];
  system->SetWindowBounds(popup, params.Bounds);
  TSize size;
  ASSERT_TRUE(system->WindowSize(popup, size));
  EXPECT_EQ(size, (TSize{90, 60}));
}

}  // namespace
