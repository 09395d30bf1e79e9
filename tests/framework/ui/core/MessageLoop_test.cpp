#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/ui/core/Form.h"
#include "framework/ui/core/Timer.h"
#include "support/HeadlessApp.h"

namespace {

using Headless = THeadlessWindowSystem;

class MessageLoop : public ::testing::Test {
 protected:
  THeadlessApp H;
  std::vector<std::string> Log;

  TTimer* LoggingTimer(int interval) {
    auto* timer = new TTimer(&H.App);
    timer->SetInterval(interval);
    timer->OnTimer = [this](TComponent*) { Log.push_back("tick@" + std::to_string(H.System->NowMs())); };
    return timer;
  }

  TForm* ShownForm() {
    TForm* form = nullptr;
    H.App.CreateForm(form);
    form->SetBounds(0, 0, 100, 80);
    form->Show();
    return form;
  }
};

TEST_F(MessageLoop, TimerIntervalsBelowTenMillisecondsActAsTen) {
  LoggingTimer(1);
  H.RunUntil([&] { return Log.size() == 4; });
  EXPECT_EQ(Log, (std::vector<std::string>{"tick@10", "tick@20", "tick@30", "tick@40"}));
}

TEST_F(MessageLoop, ALateTimerFiresOnceAndCountsOnFromThen) {
  TTimer* timer = LoggingTimer(10);
  bool slowOnce = true;
  timer->OnTimer = [&](TComponent*) {
    Log.push_back("tick@" + std::to_string(H.System->NowMs()));
    if (std::exchange(slowOnce, false)) H.System->Advance(35);
  };
  H.RunUntil([&] { return Log.size() == 3; });
  EXPECT_EQ(Log, (std::vector<std::string>{"tick@10", "tick@45", "tick@55"}));
}

TEST_F(MessageLoop, InputWaitingIsHandledBeforeADueTick) {
  TForm* form = ShownForm();
  form->OnKeyDown = [&](TComponent*, unsigned& key, TShiftState) { Log.push_back("key" + std::to_string(key)); };
  LoggingTimer(10);
  H.System->PushAt(10, Headless::Key('A'));
  H.System->PushAt(10, Headless::Key('B'));
  H.RunUntil([&] { return Log.size() == 3; });
  EXPECT_EQ(Log, (std::vector<std::string>{"key65", "key66", "tick@10"}));
}

TEST_F(MessageLoop, ADisabledTimerDoesNotFireAndRestartsWhenEnabled) {
  TTimer* timer = LoggingTimer(10);
  timer->SetEnabled(false);
  H.System->At(25, [&] { timer->SetEnabled(true); });
  H.RunUntil([&] { return !Log.empty(); });
  EXPECT_EQ(Log, (std::vector<std::string>{"tick@35"}));
}

TEST_F(MessageLoop, AFailingHandlerIsReportedAndTheLoopGoesOn) {
  H.App.OnException = [&](const Exception& e) { Log.push_back("error: " + e.Message()); };
  TTimer* timer = LoggingTimer(10);
  timer->OnTimer = [&](TComponent*) {
    Log.push_back("tick");
    if (Log.size() == 1) throw Exception("broken");
  };
  H.RunUntil([&] { return Log.size() == 3; });
  EXPECT_EQ(Log, (std::vector<std::string>{"tick", "error: broken", "tick"}));
}

TEST_F(MessageLoop, RunShowsTheMainFormAndClosingItEndsTheLoop) {
  TForm* form = ShownForm();
  form->Hide();
  form->OnShow = [&](TComponent*) { Log.push_back("show"); };
  H.System->PushAt(50, Headless::Of(TEventKind::CloseRequest, form->Handle()));
  H.App.Run();
  EXPECT_EQ(Log, (std::vector<std::string>{"show"}));
  EXPECT_TRUE(H.App.Terminated());
  EXPECT_EQ(H.System->NowMs(), 50);
}

TEST_F(MessageLoop, RunShowsNothingWhenTerminationWasAskedForAlready) {
  TForm* form = nullptr;
  H.App.CreateForm(form);
  H.App.Terminate();
  H.App.Run();
  EXPECT_FALSE(form->HandleAllocated());
  EXPECT_TRUE(H.System->OwnWindows().empty());
}

TEST(MessageLoopEnd, ASignalClosesTheMainFormAndTheApplicationDestroysItsForms) {
  std::vector<std::string> Log;
  auto H2 = std::make_unique<THeadlessApp>();
  TForm* form = nullptr;
  H2->App.CreateForm(form);
  form->OnClose = [&](TComponent*, TCloseAction&) { Log.push_back("close"); };
  form->OnDestroy = [&](TComponent*) { Log.push_back("destroy"); };
  H2->System->PushAt(30, Headless::Of(TEventKind::Terminate));
  H2->App.Run();
  EXPECT_EQ(Log, (std::vector<std::string>{"close"}));
  const auto system = H2->System;
  H2.reset();
  EXPECT_EQ(Log, (std::vector<std::string>{"close", "destroy"}));
  EXPECT_TRUE(system->OwnWindows().empty());
}

TEST_F(MessageLoop, ACreationHandlerFailureIsReportedAndCreationGoesOn) {
  struct TFailing : TForm {
    explicit TFailing(TComponent* owner) : TForm(owner) {
      OnCreate = [](TComponent*) { throw Exception("no settings"); };
    }
  };
  H.App.OnException = [&](const Exception& e) { Log.push_back(e.Message()); };
  TFailing* form = nullptr;
  H.App.CreateForm(form);
  EXPECT_EQ(Log, (std::vector<std::string>{"no settings"}));
  EXPECT_EQ(H.App.MainForm(), form);
}

TEST_F(MessageLoop, ShowModalDisablesTheOtherFormsUntilItsResultIsSet) {
  TForm* main = ShownForm();
  main->OnKeyDown = [&](TComponent*, unsigned&, TShiftState) { Log.push_back("main key"); };
  TForm dialog(&H.App);
  dialog.SetBounds(0, 0, 50, 40);
  dialog.OnKeyDown = [&](TComponent*, unsigned&, TShiftState) {
    Log.push_back("dialog key");
    dialog.SetModalResult(mrOk);
  };
  H.System->PushAt(10, Headless::Key('X', 0, main->Handle()));
  H.System->At(20, [&] {
    EXPECT_FALSE(main->Enabled());
    H.System->Push(Headless::Key('Y', 0, dialog.Handle()));
  });
  EXPECT_EQ(dialog.ShowModal(), mrOk);
  EXPECT_EQ(Log, (std::vector<std::string>{"dialog key"}));
  EXPECT_TRUE(main->Enabled());
  EXPECT_FALSE(dialog.Visible());
  EXPECT_EQ(H.System->Focus, main->Handle());  // the keyboard is back where it was
}

TEST_F(MessageLoop, ModalLoopsNestAndCloseBoxEndsOneWithCancel) {
  ShownForm();
  TForm outer(&H.App);
  TForm inner(&H.App);
  outer.SetBounds(0, 0, 50, 40);
  inner.SetBounds(0, 0, 30, 20);
  TModalResult innerResult = mrNone;
  H.System->At(10, [&] {
    H.System->At(20, [&] {
      EXPECT_FALSE(outer.Enabled());
      H.System->Push(Headless::Of(TEventKind::CloseRequest, inner.Handle()));
    });
    innerResult = inner.ShowModal();
    EXPECT_TRUE(outer.Enabled());
    outer.SetModalResult(mrOk);
  });
  EXPECT_EQ(outer.ShowModal(), mrOk);
  EXPECT_EQ(innerResult, mrCancel);
}

TEST_F(MessageLoop, AReplacedWindowProcedureSeesEventsFirstAndPassesOnTheRest) {
  TForm* form = ShownForm();
  form->WindowProc = [&](const TWsEvent& event) {
    if (event.Kind == TEventKind::SysCommand) Log.push_back("swallowed");
    else form->DefaultWndProc(event);
  };
  form->OnKeyDown = [&](TComponent*, unsigned&, TShiftState) { Log.push_back("key"); };
  H.System->Push(Headless::Of(TEventKind::SysCommand, form->Handle()));
  H.System->Push(Headless::Key('K', 0, form->Handle()));
  H.App.ProcessMessages();
  EXPECT_EQ(Log, (std::vector<std::string>{"swallowed", "key"}));
}

TEST_F(MessageLoop, AFormInsideAForeignWindowClosesWhenItsHostGoes) {
  TForm* form = nullptr;
  H.App.CreateForm(form);
  const TWindowHandle host = H.System->CreateForeignWindow({64, 48});
  form->SetParentWindow(host);
  form->Position = TPosition::poDefault;
  form->SetBounds(7, 9, 64, 48);
  form->Show();
  EXPECT_EQ(H.System->Window(form->Handle())->Bounds, (TRect{0, 0, 64, 48}));
  H.System->DestroyForeignWindow(host);
  H.App.ProcessMessages();
  EXPECT_TRUE(H.App.Terminated());
  EXPECT_TRUE(H.System->OwnWindows().empty());
}

}  // namespace
