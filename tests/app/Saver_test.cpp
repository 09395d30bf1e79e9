#include "QuenbrelRun.h"
#include "app/Form1.h"
#include "components/VekImage.h"
#include "engine/Quenbrel.h"
#include "framework/ui/Application.h"
#include "framework/ui/Timer.h"

namespace {

class Saver : public QuenbrelRun {
 protected:
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

TEST_F(Saver, AResizeResizesTheEngineAndTheNextFrameFillsTheNewSize) {
  System->At(30, [this] {
    TWsEvent resized = Headless::Of(TEventKind::Resized, System->Focus);
    resized.Width = 40;
    resized.Height = 30;
    System->Push(resized);
  });
  System->At(31, [this] {
    EXPECT_EQ(Form1->Engine->SourceImage().Picture().Bitmap().Width(), 40);
    // Paint the visible bitmap over, so that only a new frame can bring the effect back.
    TBitmap& frame = Form1->Image1->Picture().Bitmap();
    for (int y = 0; y < frame.Height(); ++y)
      for (int x = 0; x < frame.Width(); ++x) frame.Row32(y)[x] = 0xDEAD;
  });
  System->At(45, [this] {
    TBitmap& frame = Form1->Image1->Picture().Bitmap();
    EXPECT_EQ(frame.Width(), 40);
    EXPECT_EQ(frame.Height(), 30);
    int untouched = 0;
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 40; ++x) untouched += frame.Row32(y)[x] == 0xDEAD;
    EXPECT_EQ(untouched, 0);
    EXPECT_EQ(System->PixelAt(System->Focus, 39, 29), frame.Row32(29)[39]);
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
