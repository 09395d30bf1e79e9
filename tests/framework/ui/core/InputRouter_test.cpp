#include <string>
#include <vector>

#include "framework/ui/core/Screen.h"
#include "support/FormFixture.h"

namespace {

using TLog = std::vector<std::string>;

std::string At(int x, int y) { return " " + std::to_string(x) + "," + std::to_string(y); }

// A control without a window that logs the pointer as it reaches it.
struct TPointerProbe : TGraphicControl {
  TPointerProbe(TWinControl* parent, const std::string& name, TRect bounds, TLog& log)
      : TGraphicControl(parent), Log(log) {
    Name = name;
    SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    SetParent(parent);
  }
  void Paint(TCanvas&) override {}
  void MouseDown(TMouseButton, TShiftState, int x, int y) override { Log.push_back(Name + " down" + At(x, y)); }
  void MouseMove(TShiftState, int x, int y) override { Log.push_back(Name + " move" + At(x, y)); }
  void MouseUp(TMouseButton, TShiftState, int x, int y) override { Log.push_back(Name + " up" + At(x, y)); }
  void MouseEnter() override { Log.push_back(Name + " enter"); }
  void MouseLeave() override { Log.push_back(Name + " leave"); }
  void CaptureLost() override { Log.push_back(Name + " lost"); }
  void Click() override { Log.push_back(Name + " click"); }
  TLog& Log;
};

// A control that takes the keyboard, logs the keys it gets and may swallow one.
struct TKeyProbe : TWinControl {
  TKeyProbe(TWinControl* parent, const std::string& name, int tabOrder, TLog& log) : TWinControl(parent), Log(log) {
    Name = name;
    TabStop = true;
    SetTabOrder(tabOrder);
    SetBounds(tabOrder * 20, 0, 20, 20);
    SetParent(parent);
  }
  void KeyDown(unsigned& key, TShiftState) override {
    Log.push_back(Name + " key " + std::to_string(key));
    if (key == Swallow) key = 0;
  }
  bool DialogKey(unsigned key) override {
    if (key != Takes) return false;
    Log.push_back(Name + " dialog key " + std::to_string(key));
    return true;
  }
  void FocusChanged() override { ++FocusChanges; }
  unsigned Swallow = 0;
  unsigned Takes = 0;
  int FocusChanges = 0;
  TLog& Log;
};

class InputRouter : public TFormFixture {
 protected:
  TLog Log;
};

TEST_F(InputRouter, MouseGoesToTheControlUnderThePointerAndStaysWithItWhileHeld) {
  new TPointerProbe(Form, "a", Bounds(0, 0, 50, 80), Log);
  new TPointerProbe(Form, "b", Bounds(50, 0, 50, 80), Log);
  ShowForm();
  MoveTo(60, 5);
  PressAt(10, 5);
  MoveTo(70, 6);
  ReleaseAt(70, 6);
  PressAt(55, 1);
  ReleaseAt(56, 2);
  EXPECT_EQ(Log, (TLog{"b enter", "b move 10,5", "b leave", "a enter", "a down 10,5", "a leave", "b enter",
                       "a move 70,6", "a up 70,6", "b down 5,1", "b up 6,2", "b click"}));
}

TEST_F(InputRouter, TheControlUnderThePointerIsLeftWhenThePointerLeavesTheWindow) {
  new TPointerProbe(Form, "a", Bounds(0, 0, 50, 80), Log);
  ShowForm();
  MoveTo(10, 10);
  MoveTo(11, 10);
  PointerLeaves();
  MoveTo(12, 10);
  EXPECT_EQ(Log, (TLog{"a enter", "a move 10,10", "a move 11,10", "a leave", "a enter", "a move 12,10"}));
}

TEST_F(InputRouter, AControlHeldWhenItsFormStopsTakingInputLetsGoAndGetsNoRelease) {
  new TPointerProbe(Form, "a", Bounds(0, 0, 50, 80), Log);
  new TPointerProbe(Form, "b", Bounds(50, 0, 50, 80), Log);
  ShowForm();
  PressAt(10, 5);
  Form->SetEnabled(false);
  ReleaseAt(10, 5);
  Form->SetEnabled(true);
  // The next release belongs to no press: it goes where the pointer is.
  ReleaseAt(60, 5);
  EXPECT_EQ(Log, (TLog{"a enter", "a down 10,5", "a lost", "a leave", "b enter", "b up 10,5", "b click"}));
}

TEST_F(InputRouter, DisabledFormsAndControlsGetNoInput) {
  auto* probe = new TPointerProbe(Form, "a", Bounds(0, 0, 50, 80), Log);
  Form->OnMouseDown = [&](TComponent*, TMouseButton, TShiftState, int, int) { Log.push_back("form down"); };
  Form->OnKeyDown = [&](TComponent*, unsigned&, TShiftState) { Log.push_back("form key"); };
  ShowForm();
  probe->SetEnabled(false);
  PressAt(10, 5);
  ReleaseAt(10, 5);
  Form->SetEnabled(false);
  PressAt(10, 5);
  Type('A');
  EXPECT_EQ(Log, (TLog{"form down"}));
}

TEST_F(InputRouter, TheWindowShowsTheCursorUnderThePointerUnlessTheScreenOverridesIt) {
  new TPointerProbe(Form, "a", Bounds(0, 0, 50, 80), Log);
  auto* hiding = new TPointerProbe(Form, "hiding", Bounds(50, 0, 100, 80), Log);
  hiding->SetCursor(crNone);
  ShowForm();
  auto cursor = [&] { return H.System->Window(Form->Handle())->Cursor; };
  // Before the pointer reports where it is: the middle of the window.
  EXPECT_EQ(cursor(), crNone);
  MoveTo(10, 5);
  EXPECT_EQ(cursor(), crDefault);
  MoveTo(60, 5);
  EXPECT_EQ(cursor(), crNone);
  Screen->SetCursor(crHourGlass);
  EXPECT_EQ(cursor(), crHourGlass);
  Screen->SetCursor(crDefault);
  EXPECT_EQ(cursor(), crNone);
}

TEST_F(InputRouter, KeysGoToTheFormFirstThenToTheFocusedControlWhichMaySwallowThem) {
  auto* a = new TKeyProbe(Form, "a", 0, Log);
  auto* b = new TKeyProbe(Form, "b", 1, Log);
  Form->OnKeyDown = [&](TComponent*, unsigned& key, TShiftState) {
    Log.push_back("form key " + std::to_string(key));
    if (key == 'F') key = 0;
  };
  a->Swallow = VK_TAB;
  b->Takes = VK_RETURN;
  ShowForm();
  ASSERT_EQ(Form->ActiveControl(), a);
  Type('F');        // the form swallows it
  Type(VK_TAB);     // a swallows it: no move
  Type(VK_RETURN);  // a does not take it: the dialog key goes round to b
  EXPECT_EQ(Form->ActiveControl(), a);
  EXPECT_EQ(Log, (TLog{"form key 70", "form key 9", "a key 9", "form key 13", "a key 13", "b dialog key 13"}));
}

TEST_F(InputRouter, TabVisitsFocusableControlsByTabOrderRoundAndShiftTabGoesBack) {
  auto* third = new TKeyProbe(Form, "third", 3, Log);
  auto* first = new TKeyProbe(Form, "first", 1, Log);
  auto* second = new TKeyProbe(Form, "second", 2, Log);
  auto* disabled = new TKeyProbe(Form, "disabled", 0, Log);
  disabled->SetEnabled(false);
  auto* notStop = new TKeyProbe(Form, "no stop", 0, Log);
  notStop->TabStop = false;
  ShowForm();
  EXPECT_EQ(Form->ActiveControl(), first);
  std::vector<TWinControl*> visited;
  for (int i = 0; i < 3; ++i) {
    Type(VK_TAB);
    visited.push_back(Form->ActiveControl());
  }
  Type(VK_TAB, ssShift);
  visited.push_back(Form->ActiveControl());
  EXPECT_EQ(visited, (std::vector<TWinControl*>{second, third, first, third}));
  EXPECT_TRUE(third->Focused());
  EXPECT_FALSE(first->Focused());
}

TEST_F(InputRouter, EveryControlHearsOfAMoveOfTheFocusAndOfNothingElse) {
  auto* a = new TKeyProbe(Form, "a", 0, Log);
  auto* b = new TKeyProbe(Form, "b", 1, Log);
  ShowForm();
  const int shown = a->FocusChanges;
  EXPECT_EQ(b->FocusChanges, shown);
  b->SetFocus();
  b->SetFocus();
  a->SetFocus();
  EXPECT_EQ(a->FocusChanges, shown + 2);
  EXPECT_EQ(b->FocusChanges, shown + 2);
}

// A form redrawn under a modal window still shows where its keys will go afterwards.
TEST_F(InputRouter, TheFocusedControlStaysFocusedWhileItsFormIsDisabled) {
  new TKeyProbe(Form, "a", 0, Log);
  auto* b = new TKeyProbe(Form, "b", 1, Log);
  ShowForm();
  b->SetFocus();
  Form->SetEnabled(false);
  EXPECT_EQ(Form->ActiveControl(), b);
  EXPECT_TRUE(b->Focused());
  Form->SetEnabled(true);
  Type('K');
  EXPECT_EQ(Log, (TLog{"b key 75"}));
  // A control of its own that is disabled or hidden does lose it.
  b->SetEnabled(false);
  EXPECT_EQ(Form->ActiveControl(), nullptr);
}

}  // namespace
