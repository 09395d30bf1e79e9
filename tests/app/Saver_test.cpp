#include "QuenbrelRun.h"
#include "app/Form1.h"
#include "components/VekImage.h"
#include "engine/Quenbrel.h"
#include "framework/ui/core/Application.h"
#include "framework/ui/core/Timer.h"

namespace {

class Saver : public QuenbrelRun {
 protected:
  // Paints the visible bitmap over, so that only a new frame can bring the effect back.
  void PaintOver() {
    TBitmap& frame = Form1->Image1->Picture().Bitmap();
    for (int y = 0; y < frame.Height(); ++y)
      for (int x = 0; x < frame.Width(); ++x) frame.Row32(y)[x] = 0xDEAD;
  }
  // Whether a frame of this size has been drawn over all of the bitmap and shown.
  void ExpectFrameFills(int width, int height) {
    TBitmap& frame = Form1->Image1->Picture().Bitmap();
    ASSERT_EQ(frame.Width(), width);
    ASSERT_EQ(frame.Height(), height);
    int untouched = 0;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) untouched += frame.Row32(y)[x] == 0xDEAD;
    EXPECT_EQ(untouched, 0);
    EXPECT_EQ(System->PixelAt(System->Focus, width - 1, height - 1), frame.Row32(height - 1)[width - 1]);
  }
  // Checks that the saver still runs at `time`.
  void ExpectRunningAt(std::int64_t time) {
    System->At(time, [this] {
      ASSERT_NE(Form1, nullptr);
      EXPECT_TRUE(Form1->Visible());
      EXPECT_FALSE(Application->Terminated());
    });
  }
};

TEST_F(Saver, CoversTheScreenOnTopWithThePointerHiddenWhileTheSystemKnowsItRuns) {
  System->At(20, [this] {
    const THeadlessWindow* window = System->Window(System->Focus);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->Params.FullScreen);
    EXPECT_TRUE(window->Params.StayOnTop);
    EXPECT_EQ(window->Bounds, (TRect{0, 0, 64, 48}));
    EXPECT_EQ(window->Cursor, crNone);
    EXPECT_TRUE(System->ScreenSaverRunning);
    EXPECT_EQ(System->TaskbarHides, 1);
    System->Push(Headless::Key('Q'));
  });
  EXPECT_EQ(Run({"/s"}), 0);
  EXPECT_FALSE(System->ScreenSaverRunning);
  EXPECT_EQ(System->ScreenSaverCalls, (std::vector<bool>{true, false}));
  EXPECT_TRUE(System->OwnWindows().empty());
  EXPECT_EQ(Form1, nullptr);
}

TEST_F(Saver, FiveMouseMovesAreToleratedAndTheSixthCloses) {
  for (int i = 0; i < 5; ++i) System->PushAt(10, Headless::Mouse(TEventKind::MouseMove, i, i));
  ExpectRunningAt(100);
  System->PushAt(200, Headless::Mouse(TEventKind::MouseMove, 9, 9));
  Run({"/s"});
  EXPECT_EQ(System->NowMs(), 200);
  EXPECT_EQ(MouseMoves, 6);
}

TEST_F(Saver, AClickClosesItAtOnce) {
  System->PushAt(30, Headless::Mouse(TEventKind::MouseDown, 5, 5));
  Run({"/s"});
  EXPECT_EQ(System->NowMs(), 30);
  EXPECT_EQ(MouseMoves, 0);
}

TEST_F(Saver, AnyKeyClosesItModifiersAndSystemKeysToo) {
  for (const auto& [key, shift] : std::vector<std::pair<unsigned, TShiftState>>{
           {VK_SHIFT, ssShift}, {VK_CONTROL, ssCtrl}, {VK_MENU, ssAlt}, {'X', ssAlt}, {VK_F10, 0}, {VK_ESCAPE, 0}}) {
    System->PushAt(System->NowMs() + 30, Headless::Key(key, shift));
    const std::int64_t expectedEnd = System->NowMs() + 30;
    Run({"/s"});
    EXPECT_EQ(System->NowMs(), expectedEnd) << "key " << key;
    EXPECT_FALSE(System->ScreenSaverRunning);
  }
}

TEST_F(Saver, LosingActivationClosesIt) {
  System->PushAt(40, Headless::Of(TEventKind::Deactivated));
  Run({"/s"});
  EXPECT_EQ(System->NowMs(), 40);
  EXPECT_FALSE(System->ScreenSaverRunning);
}

TEST_F(Saver, ASignalEndsItByTheOrdinaryPath) {
  System->PushAt(40, Headless::Of(TEventKind::Terminate));
  EXPECT_EQ(Run({"/s"}), 0);
  EXPECT_EQ(System->ScreenSaverCalls, (std::vector<bool>{true, false}));
}

// In one dimension, then in the other: each is a change of size.
TEST_F(Saver, AResizeResizesTheEngineAndTheNextFrameFillsTheNewSize) {
  const TSize sizes[] = {{40, 48}, {40, 30}};
  for (int i = 0; i < 2; ++i) {
    const std::int64_t t = 30 + 30 * i;
    System->At(t, [this, size = sizes[i]] {
      TWsEvent resized = Headless::Of(TEventKind::Resized, System->Focus);
      resized.Width = size.cx;
      resized.Height = size.cy;
      System->Push(resized);
    });
    System->At(t + 1, [this, size = sizes[i]] {
      EXPECT_EQ(Form1->Engine->SourceImage().Picture().Bitmap().Height(), size.cy);
      PaintOver();
    });
    System->At(t + 15, [this, size = sizes[i]] { ExpectFrameFills(size.cx, size.cy); });
  }
  System->PushAt(100, Headless::Key('Q'));
  Run({"/s"});
}

TEST_F(Saver, FollowsTheScreenToANewSizeAndTheNextFrameFillsIt) {
  System->At(30, [this] { System->ChangeScreenSize({80, 60}); });
  System->At(31, [this] { PaintOver(); });
  System->At(45, [this] {
    EXPECT_EQ(System->Window(System->Focus)->Bounds, (TRect{0, 0, 80, 60}));
    ExpectFrameFills(80, 60);
    System->Push(Headless::Key('Q'));
  });
  Run({"/s"});
}

TEST_F(Saver, AStartDrawsThePatternOnceAndItsFirstFrameOnlyIntoTheShownWindow) {
  System->At(0, [this] {
    // Before the first tick: the frame drawn when the saver was shown stands on the screen.
    EXPECT_EQ(QuenbrelMotion().FrameCount, 1);
    EXPECT_EQ(Form1->Engine->PatternsDrawn(), 1);
    const std::uint32_t source = Form1->Engine->SourceImage().Picture().Bitmap().Row32(0)[63];
    EXPECT_EQ(System->PixelAt(System->Focus, 63, 0), 2 * source);
    System->PushAt(25, Headless::Key('Q'));
  });
  QuenbrelMotion() = {};
  Run({"/s"});
  EXPECT_EQ(System->HiddenPuts, 0);
}

TEST_F(Saver, FramesGoToTheScreenFromTheImagesSharedMemory) {
  System->At(25, [this] {
    EXPECT_TRUE(System->IsSharedMemory(Form1->Image1->Picture().Bitmap().Memory()));
    const int before = System->PutPixelsCalls;
    Form1->Timer1->Tick(System->NowMs());
    // Band by band, each as soon as it is drawn, and nothing twice.
    const int height = Form1->Image1->Height();
    EXPECT_EQ(System->PutPixelsCalls - before, (height + TQuenbrel::BandRows - 1) / TQuenbrel::BandRows);
    System->Push(Headless::Key('Q'));
  });
  Run({"/s"});
}

}  // namespace
