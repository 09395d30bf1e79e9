#include "QuenbrelRun.h"
#include "app/Form1.h"
#include "engine/Quenbrel.h"
#include "framework/ui/Application.h"
#include "framework/ui/Timer.h"

namespace {

class SaverScreens : public QuenbrelRun {
 protected:
  // The shown saver windows by the screen each covers.
  std::map<TScreenId, const THeadlessWindow*> Covered() {
    std::map<TScreenId, const THeadlessWindow*> covered;
    for (TWindowHandle handle : System->VisibleOwnWindows()) {
      const THeadlessWindow* window = System->Window(handle);
      EXPECT_TRUE(window->Params.FullScreen);
      covered[window->Params.Screen] = window;
    }
    return covered;
  }
  // Whether the window shows a frame of the effect all over: its corners differ from the
  // blank surface and the frame reaches the last pixel.
  static bool ShowsFrame(const THeadlessWindow& window) {
    return !window.Pixels.empty() && window.Pixels.back() != 0 && window.Pixels.front() != 0;
  }
};

TEST_F(SaverScreens, EachScreenGetsASaverAtItsOwnSizeAndScreensComeAndGo) {
  TScreenId second = 0;
  System->At(10, [&] { second = System->AddScreen({32, 24}, 2); });
  System->At(30, [&] {
    const auto covered = Covered();
    ASSERT_EQ(covered.size(), 2u);
    // The main form covers the first screen without naming it; the new one names its own.
    EXPECT_EQ(covered.at(0)->Bounds, (TRect{0, 0, 64, 48}));
    EXPECT_EQ(covered.at(second)->Bounds, (TRect{0, 0, 32, 24}));
    EXPECT_EQ(covered.at(second)->Cursor, crNone);
    EXPECT_TRUE(ShowsFrame(*covered.at(second)));
    System->RemoveScreen(1);
  });
  System->At(50, [&] {
    // The first screen's saver went with it; the other one runs on.
    const auto covered = Covered();
    ASSERT_EQ(covered.size(), 1u);
    EXPECT_EQ(covered.begin()->first, second);
    EXPECT_EQ(System->OwnWindows().size(), 1u);
    EXPECT_FALSE(Application->Terminated());
  });
  System->At(60, [&] { System->AddScreen({40, 30}); });
  System->At(80, [&] {
    ASSERT_EQ(Covered().size(), 2u);
    System->Push(Headless::Mouse(TEventKind::MouseDown, 3, 3, System->VisibleOwnWindows().front()));
  });
  // A click on any screen's saver ends the program, which takes every saver down.
  EXPECT_EQ(Run({"/s"}), 0);
  EXPECT_EQ(System->NowMs(), 80);
  EXPECT_TRUE(System->OwnWindows().empty());
  EXPECT_FALSE(System->ScreenSaverRunning);
}

TEST_F(SaverScreens, MouseMovesCountOverEveryScreenTogether) {
  System->At(10, [&] { System->AddScreen({32, 24}); });
  System->At(20, [&] {
    const std::vector<TWindowHandle> shown = System->VisibleOwnWindows();
    ASSERT_EQ(shown.size(), 2u);
    for (int i = 0; i < 6; ++i)
      System->PushAt(30 + i, Headless::Mouse(TEventKind::MouseMove, i, i, shown[static_cast<std::size_t>(i % 2)]));
  });
  Run({"/s"});
  EXPECT_EQ(System->NowMs(), 35);
  EXPECT_EQ(MouseMoves, 6);
}

TEST_F(SaverScreens, TheMotionMovesAtThePaceOfOneScreenHoweverManyThereAre) {
  System->At(10, [&] {
    System->AddScreen({32, 24});
    System->AddScreen({40, 30});
  });
  System->At(20, [&] {
    std::vector<TForm1*> savers;
    for (TComponent* component : Application->Components())
      if (auto* saver = dynamic_cast<TForm1*>(component)) savers.push_back(saver);
    ASSERT_EQ(savers.size(), 3u);
    const std::int32_t before = QuenbrelMotion().FrameCount;
    for (TForm1* saver : savers) saver->Timer1->Tick(System->NowMs());
    EXPECT_EQ(QuenbrelMotion().FrameCount, before + 1);
    System->Push(Headless::Key('Q'));
  });
  Run({"/s"});
}

}  // namespace
