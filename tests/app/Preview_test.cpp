#include <cstdlib>

#include "QuenbrelRun.h"
#include "app/Form2.h"
#include "app/HostRequest.h"
#include "components/VekImage.h"
#include "engine/Quenbrel.h"
#include "framework/ui/core/Application.h"

namespace {

class Preview : public QuenbrelRun {
 protected:
  TWindowHandle Host = System->CreateForeignWindow({120, 90});

  int RunInHost() { return Run({"/p", std::to_string(Host)}); }
  TWindowHandle PreviewWindow() {
    const auto own = System->OwnWindows();
    return own.size() == 1 ? own.front() : 0;
  }
};

TEST_F(Preview, AttachesToItsHostAtTheOriginWithTheHostsSizeAndEndsOnASystemCommand) {
  System->At(30, [this] {
    const THeadlessWindow* window = System->Window(PreviewWindow());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Params.Parent, Host);
    EXPECT_EQ(window->Bounds, (TRect{0, 0, 120, 90}));
    EXPECT_TRUE(window->Visible);
    EXPECT_EQ(Form2->Image1->Width(), 120);
    EXPECT_EQ(System->TaskbarHides, 1);
    System->Push(Headless::Of(TEventKind::SysCommand, PreviewWindow()));
  });
  EXPECT_EQ(RunInHost(), 0);
  EXPECT_EQ(System->NowMs(), 30);
  EXPECT_TRUE(System->OwnWindows().empty());
  EXPECT_NE(System->Window(Host), nullptr);
  EXPECT_TRUE(System->ScreenSaverCalls.empty());
}

TEST_F(Preview, ABurstOfSizeChangesDrawsOnePatternAtTheLastSize) {
  System->At(20, [this] {
    EXPECT_EQ(Form2->Engine->PatternsDrawn(), 1);
    for (int i = 1; i <= 200; ++i) {
      TWsEvent resized = Headless::Of(TEventKind::Resized, PreviewWindow());
      resized.Width = 120 - i / 4;
      resized.Height = 90 - i / 5;
      System->Push(resized);
    }
  });
  System->At(35, [this] {
    EXPECT_EQ(Form2->Engine->PatternsDrawn(), 2);
    const TBitmap& source = Form2->Engine->SourceImage().Picture().Bitmap();
    EXPECT_EQ(source.Width(), 70);
    EXPECT_EQ(source.Height(), 50);
    EXPECT_EQ(Form2->Image1->Picture().Bitmap().Width(), 70);
    System->Push(Headless::Of(TEventKind::SysCommand, PreviewWindow()));
  });
  RunInHost();
  EXPECT_EQ(System->HiddenPuts, 0);
}

TEST_F(Preview, IgnoresKeysAndClicks) {
  System->At(20, [this] {
    const TWindowHandle preview = PreviewWindow();
    System->Push(Headless::Key('A', 0, preview));
    System->Push(Headless::Key(VK_ESCAPE, 0, preview));
    System->Push(Headless::Mouse(TEventKind::MouseDown, 3, 3, preview));
    System->Push(Headless::Mouse(TEventKind::MouseUp, 3, 3, preview));
    for (int i = 0; i < 8; ++i) System->Push(Headless::Mouse(TEventKind::MouseMove, i, i, preview));
  });
  System->At(60, [this] {
    EXPECT_FALSE(Application->Terminated());
    System->Push(Headless::Of(TEventKind::SysCommand, PreviewWindow()));
  });
  RunInHost();
  EXPECT_EQ(System->NowMs(), 60);
  EXPECT_EQ(MouseMoves, 0);
}

TEST_F(Preview, EndsWhenItsHostGoesOrASignalComes) {
  System->At(25, [this] { System->DestroyForeignWindow(Host); });
  RunInHost();
  EXPECT_EQ(System->NowMs(), 25);
  EXPECT_TRUE(System->OwnWindows().empty());

  Host = System->CreateForeignWindow({50, 40});
  System->PushAt(50, Headless::Of(TEventKind::Terminate));
  EXPECT_EQ(RunInHost(), 0);
  EXPECT_EQ(System->NowMs(), 50);
  EXPECT_EQ(Form2, nullptr);
  EXPECT_TRUE(System->ScreenSaverCalls.empty());
}

TEST_F(Preview, ABadHandleIsShownWithAFullStopAndThenTheProgramEnds) {
  for (const auto& [argument, message] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{"/p", "abc"}, "'abc' is not a valid integer value."}, {{"/p"}, "'' is not a valid integer value."}}) {
    const std::int64_t start = System->NowMs();
    System->At(start + 100, [&, this] {
      EXPECT_EQ(Application->ShownMessages, (std::vector<std::string>{message}));
      EXPECT_EQ(System->Window(System->Focus)->Caption, "zzQuenbrel I");
      EXPECT_EQ(System->OwnWindows().size(), 1u);  // the box alone
      EXPECT_EQ(Form2->Engine, nullptr);
      System->Push(Headless::Key(VK_RETURN));
    });
    EXPECT_EQ(Run(argument), 0);
    EXPECT_EQ(System->NowMs(), start + 100);
    EXPECT_TRUE(System->OwnWindows().empty());
  }
}

TEST_F(Preview, AHostHandleThatNamesNoWindowEndsTheProgramAtOnce) {
  for (const std::string host : {"0", "999999", "-5"}) {
    EXPECT_EQ(Run({"/p", host}), 0);
    EXPECT_EQ(System->NowMs(), 0) << host;
    EXPECT_TRUE(System->OwnWindows().empty()) << host;
  }
}

// The hack conventions of X11 hosts; XSCREENSAVER_WINDOW is set as a host sets it.
class HostedPreview : public Preview {
 protected:
  std::string HostId = HexOf(Host);

  static std::string HexOf(TWindowHandle window) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(window));
    return text;
  }
  static void SetHostVariable(const char* value) {
    if (value) setenv("XSCREENSAVER_WINDOW", value, 1);
    else unsetenv("XSCREENSAVER_WINDOW");
  }
  void TearDown() override {
    SetHostVariable(nullptr);
    Preview::TearDown();
  }
  // Where the preview stands a little after it started, ended by SIGTERM as hosts end it.
  TRect RunAndPlace(const std::vector<std::string>& switches, TWindowHandle& parent) {
    TRect bounds;
    parent = 0;
    System->At(System->NowMs() + 20, [&, this] {
      if (const THeadlessWindow* window = System->Window(PreviewWindow())) {
        parent = window->Params.Parent;
        bounds = window->Bounds;
      }
      System->Push(Headless::Of(TEventKind::Terminate));
    });
    EXPECT_EQ(Run(switches), 0);
    EXPECT_TRUE(System->OwnWindows().empty());
    return bounds;
  }
};

TEST_F(HostedPreview, DrawsIntoTheWindowTheHostNamesOrOntoTheDesktop) {
  SetHostVariable(HostId.c_str());
  TWindowHandle parent = 0;
  for (const std::vector<std::string>& switches : std::vector<std::vector<std::string>>{
           {"-root"}, {"--root"}, {"-window-id", HostId}, {"/p", HostId}, {"/p"}, {"-root", "--window-id", HostId}}) {
    EXPECT_EQ(RunAndPlace(switches, parent), (TRect{0, 0, 120, 90})) << switches[0];
    EXPECT_EQ(parent, Host) << switches[0];
  }
  SetHostVariable(nullptr);
  EXPECT_EQ(RunAndPlace({"-root"}, parent), (TRect{0, 0, 64, 48}));
  EXPECT_EQ(parent, System->DesktopWindow());
}

TEST_F(HostedPreview, AWindowThatIsNotThereIsAnErrorBeforeAnythingIsMade) {
  const std::string missing = HexOf(Host + 100);
  for (const std::vector<std::string>& switches :
       std::vector<std::vector<std::string>>{{"-window-id", missing}, {"/p", missing}, {"-root"}}) {
    SetHostVariable(missing.c_str());
    try {
      Run(switches);
      ADD_FAILURE() << switches[0] << " ran";
    } catch (const EHostError& error) {
      EXPECT_EQ(error.what(), "there is no window " + missing + " to draw into");
    }
    EXPECT_TRUE(System->OwnWindows().empty());
    EXPECT_EQ(System->PutPixelsCalls, 0);
  }
  SetHostVariable("-5");
  EXPECT_THROW(Run({"-root"}), EHostError);
}

TEST(NoSwitch, MakesNoWindowReadsNoSettingsAndTouchesNothing) {
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"zz.scr"}, {"zz.scr", "/x"}, {"zz.scr", "/C:4711"}, {"zz.scr", "/p:1234"}}) {
    auto system = std::make_shared<THeadlessWindowSystem>();
    EXPECT_EQ(QuenbrelMain(arguments, system), 0);
    EXPECT_EQ(system->NowMs(), 0);
    EXPECT_TRUE(system->OwnWindows().empty());
    EXPECT_TRUE(system->ScreenSaverCalls.empty());
    EXPECT_EQ(system->TaskbarHides, 0);
    EXPECT_EQ(system->PutPixelsCalls, 0);
    EXPECT_EQ(Form1, nullptr);
    EXPECT_EQ(Form2, nullptr);
  }
}

}  // namespace
