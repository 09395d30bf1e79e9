#include <string>
#include <utility>
#include <vector>

#include "framework/ui/controls/Panel.h"
#include "framework/ui/dialogs/MessageBox.h"
#include "support/FormFixture.h"

namespace {

using TLog = std::vector<std::string>;

std::string At(int x, int y) { return " " + std::to_string(x) + "," + std::to_string(y); }

const char* StateName(TDragState state) {
  switch (state) {
    case TDragState::dsDragEnter: return "enter";
    case TDragState::dsDragLeave: return "leave";
    case TDragState::dsDragMove: return "move";
  }
  return "?";
}

class DragDrop : public TFormFixture {
 protected:
  TPanel* Source = nullptr;
  TPanel* Target = nullptr;
  TPanel* Other = nullptr;
  TLog Log;
  bool TargetAccepts = true;

  void SetUp() override {
    TFormFixture::SetUp();
    Source = MakePanel("source", Bounds(0, 0, 50, 50));
    Target = MakePanel("target", Bounds(100, 0, 50, 50));
    Other = MakePanel("other", Bounds(0, 60, 50, 50));
    Source->OnStartDrag = [this](TComponent* sender) { Log.push_back(sender->Name + " start"); };
    Source->OnEndDrag = [this](TComponent* sender, TComponent* target, int x, int y) {
      Log.push_back(sender->Name + " end " + (target ? target->Name : "nothing") + At(x, y));
    };
    Source->OnMouseDown = [this](TComponent*, TMouseButton, TShiftState, int, int) { Log.push_back("source down"); };
    Source->OnClick = [this](TComponent*) { Log.push_back("source click"); };
    Target->OnDragOver = [this](TComponent* sender, TComponent* source, int x, int y, TDragState state, bool& accept) {
      Log.push_back(sender->Name + " over " + source->Name + " " + StateName(state) + At(x, y));
      accept = TargetAccepts;
    };
    Target->OnDragDrop = [this](TComponent* sender, TComponent* source, int x, int y) {
      Log.push_back(sender->Name + " drop " + source->Name + At(x, y));
    };
  }

  TPanel* MakePanel(const std::string& name, TRect bounds) {
    auto* panel = new TPanel(Form);
    panel->Name = name;
    panel->SetParent(Form);
    panel->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    return panel;
  }
  TCursor Cursor() { return H.System->Window(Form->Handle())->Cursor; }
  void Press(TMouseButton button, int x, int y) {
    TWsEvent event = Headless::Mouse(TEventKind::MouseDown, x, y, Form->Handle());
    event.Button = button;
    Send(event);
  }
  void Release(TMouseButton button, int x, int y) {
    TWsEvent event = Headless::Mouse(TEventKind::MouseUp, x, y, Form->Handle());
    event.Button = button;
    Send(event);
  }
};

TEST_F(DragDrop, AnAcceptingTargetGetsTheDropWithTheSourceThenTheSourceHearsTheEnd) {
  Source->OnMouseDown = [this](TComponent*, TMouseButton, TShiftState, int, int) { Source->BeginDrag(true); };
  ShowForm();
  PressAt(10, 10);
  EXPECT_TRUE(Source->Dragging());
  EXPECT_EQ(Cursor(), crNoDrop);  // over the source, which takes nothing
  MoveTo(110, 20);
  EXPECT_EQ(Cursor(), crDrag);
  MoveTo(112, 21);
  ReleaseAt(112, 21);
  EXPECT_FALSE(Source->Dragging());
  EXPECT_EQ(Cursor(), crDefault);
  EXPECT_EQ(Log, (TLog{"source start", "target over source enter 10,20", "target over source move 12,21",
                       "target over source leave 12,21", "target drop source 12,21", "source end target 12,21"}));
}

TEST_F(DragDrop, ARefusingTargetShowsNoDropAndGetsNoDrop) {
  TargetAccepts = false;
  Source->DragCursor = crHandPoint;
  Source->DragMode = TDragMode::dmAutomatic;
  ShowForm();
  PressAt(10, 10);
  MoveTo(120, 10);
  EXPECT_EQ(Cursor(), crNoDrop);
  TargetAccepts = true;
  MoveTo(121, 10);
  EXPECT_EQ(Cursor(), crHandPoint);
  TargetAccepts = false;
  MoveTo(122, 10);
  ReleaseAt(122, 10);
  EXPECT_EQ(Log,
            (TLog{"source down", "source start", "target over source enter 20,10", "target over source move 21,10",
                  "target over source move 22,10", "target over source leave 22,10", "source end nothing 122,10"}));
}

TEST_F(DragDrop, AControlWithoutOnDragOverAndTheOutsideRefuse) {
  Source->DragMode = TDragMode::dmAutomatic;
  Other->OnDragDrop = [this](TComponent*, TComponent*, int, int) { Log.push_back("other drop"); };
  ShowForm();
  PressAt(10, 10);
  MoveTo(10, 70);
  EXPECT_EQ(Cursor(), crNoDrop);
  MoveTo(500, 10);  // beyond the form, where its window still has the pointer
  EXPECT_EQ(Cursor(), crNoDrop);
  ReleaseAt(10, 70);
  EXPECT_EQ(Log, (TLog{"source down", "source start", "source end nothing 10,70"}));
}

TEST_F(DragDrop, AutomaticDragsWaitForThePointerToMoveAndAPressThatStaysIsAClick) {
  Source->DragMode = TDragMode::dmAutomatic;
  ShowForm();
  PressAt(10, 10);
  MoveTo(14, 6);  // four pixels: not yet
  EXPECT_EQ(Cursor(), crDefault);
  ReleaseAt(14, 6);
  EXPECT_FALSE(Source->Dragging());
  PressAt(10, 10);
  MoveTo(10, 15);
  ReleaseAt(10, 15);
  EXPECT_EQ(Log, (TLog{"source down", "source click", "source down", "source start", "source end nothing 10,15"}));
}

TEST_F(DragDrop, EscapeTheRightButtonOrAModalWindowCancelTheDrag) {
  Source->DragMode = TDragMode::dmAutomatic;
  Form->OnKeyDown = [this](TComponent*, unsigned&, TShiftState) { Log.push_back("form key"); };
  ShowForm();
  PressAt(10, 10);
  MoveTo(120, 10);
  Type(VK_ESCAPE);
  EXPECT_EQ(Cursor(), crDefault);
  ReleaseAt(120, 10);  // the drag is over: nothing is dropped
  PressAt(10, 10);
  MoveTo(120, 10);
  Press(TMouseButton::mbRight, 120, 10);
  Release(TMouseButton::mbLeft, 120, 10);
  PressAt(10, 10);
  MoveTo(120, 10);
  H.System->At(H.System->NowMs() + 10, [&] { TMessageBox(nullptr, "", "A modal box").ShowModal(); });
  H.System->PushAt(H.System->NowMs() + 20, Headless::Key(VK_RETURN));
  H.RunTo(H.System->NowMs() + 30);
  const TLog cancelled{"source down", "source start", "target over source enter 20,10",
                       "target over source leave 20,10", "source end nothing 120,10"};
  TLog thrice;
  for (int i = 0; i < 3; ++i) thrice.insert(thrice.end(), cancelled.begin(), cancelled.end());
  EXPECT_EQ(Log, thrice);
}

TEST_F(DragDrop, TheSourceLosesItsPressWhenTheDragBegins) {
  struct TPressProbe : TPanel {
    using TPanel::TPanel;
    void CaptureLost() override { Lost = true; }
    bool Lost = false;
  };
  auto* probe = new TPressProbe(Form);
  probe->SetParent(Form);
  probe->SetBounds(60, 60, 30, 30);
  probe->DragMode = TDragMode::dmAutomatic;
  ShowForm();
  PressAt(70, 70);
  MoveTo(71, 71);
  EXPECT_FALSE(probe->Lost);
  MoveTo(70, 80);
  EXPECT_TRUE(probe->Lost);
  EXPECT_TRUE(probe->Dragging());
}

TEST_F(DragDrop, ControlsThatGoDuringTheDragLeaveNothingDangling) {
  Source->DragMode = TDragMode::dmAutomatic;
  Target->OnDragDrop = [this](TComponent*, TComponent*, int, int) {
    Log.push_back("drop");
    // Nothing of this handler is touched once it is gone with its control.
    delete std::exchange(Target, nullptr);
  };
  ShowForm();
  PressAt(10, 10);
  MoveTo(120, 10);
  ReleaseAt(120, 10);
  // The target went in its drop handler: the source hears of no target.
  EXPECT_EQ(Log.back(), "source end nothing 120,10");

  Other->OnDragOver = [this](TComponent*, TComponent*, int, int, TDragState, bool& accept) {
    accept = true;
    delete Source;
    Source = nullptr;
  };
  Log.clear();
  PressAt(10, 10);
  MoveTo(10, 70);  // the source goes while over the other panel
  MoveTo(10, 71);
  ReleaseAt(10, 71);
  EXPECT_EQ(Log, (TLog{"source down", "source start"}));
  EXPECT_EQ(Cursor(), crDefault);
}

TEST_F(DragDrop, EndDragDropsOrCancelsFromTheProgram) {
  Source->DragMode = TDragMode::dmAutomatic;
  Target->OnDragOver = [this](TComponent*, TComponent*, int, int, TDragState state, bool& accept) {
    accept = true;
    if (state == TDragState::dsDragMove) Source->EndDrag(true);
  };
  ShowForm();
  PressAt(10, 10);
  MoveTo(120, 10);
  MoveTo(121, 10);
  EXPECT_FALSE(Source->Dragging());
  ReleaseAt(121, 10);
  EXPECT_EQ(Log, (TLog{"source down", "source start", "target drop source 21,10", "source end target 21,10"}));
}

}  // namespace
