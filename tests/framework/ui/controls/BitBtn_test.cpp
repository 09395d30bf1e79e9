#include <string>
#include <vector>

#include "framework/ui/controls/BitBtn.h"
#include "framework/ui/controls/ScrollBar.h"
#include "support/FormFixture.h"

namespace {

class BitBtn : public TFormFixture {
 protected:
  std::vector<std::string> Log;

  TBitBtn* Make(TBitBtnKind kind, int left, const std::string& name) {
    auto* button = new TBitBtn(Form);
    button->Name = name;
    button->SetParent(Form);
    button->SetBounds(left, 10, 50, 30);
    button->SetKind(kind);
    button->OnClick = [this, name](TComponent*) {
      Log.push_back(name + " with result " + std::to_string(Form->ModalResult()));
    };
    return button;
  }
};

TEST_F(BitBtn, AKindBringsItsCaptionGlyphResultAndKey) {
  TBitBtn* ok = Make(TBitBtnKind::bkOK, 0, "ok");
  TBitBtn* cancel = Make(TBitBtnKind::bkCancel, 60, "cancel");
  EXPECT_EQ(ok->Caption(), "OK");
  EXPECT_EQ(ok->ModalResult(), mrOk);
  EXPECT_TRUE(ok->Default());
  EXPECT_FALSE(ok->Cancel());
  EXPECT_EQ(ok->Glyph().Width(), 36);
  EXPECT_EQ(ok->NumGlyphs(), 2);
  EXPECT_EQ(cancel->Caption(), "Cancel");
  EXPECT_EQ(cancel->ModalResult(), mrCancel);
  EXPECT_TRUE(cancel->Cancel());
  EXPECT_FALSE(cancel->Default());
}

TEST_F(BitBtn, EnterClicksTheDefaultButtonAndEscapeTheCancelButton) {
  Make(TBitBtnKind::bkOK, 0, "ok");
  Make(TBitBtnKind::bkCancel, 60, "cancel");
  auto* other = Make(TBitBtnKind::bkCustom, 120, "other");
  ShowForm();
  // The custom button is focused; Enter would click it, so the focus goes elsewhere.
  other->SetEnabled(false);
  Type(VK_RETURN);
  Type(VK_ESCAPE);
  EXPECT_EQ(Log, (std::vector<std::string>{"ok with result 1", "cancel with result 2"}));
}

TEST_F(BitBtn, TheFocusedButtonTakesEnterAndSpaceItself) {
  Make(TBitBtnKind::bkOK, 0, "ok");
  TBitBtn* other = Make(TBitBtnKind::bkCustom, 60, "other");
  ShowForm();
  other->SetFocus();
  Type(VK_RETURN);
  Type(VK_SPACE);
  EXPECT_EQ(Log, (std::vector<std::string>{"other with result 0", "other with result 0"}));
}

TEST_F(BitBtn, ClickFromCodeSetsTheModalResultBeforeOnClick) {
  TBitBtn* cancel = Make(TBitBtnKind::bkCancel, 0, "cancel");
  cancel->Click();
  EXPECT_EQ(Log, (std::vector<std::string>{"cancel with result 2"}));
}

TEST_F(BitBtn, AClickEndsTheModalLoopOfItsFormWithItsResult) {
  TForm* dialog = new TForm(Form);
  dialog->SetBounds(0, 0, 100, 60);
  auto* ok = new TBitBtn(dialog);
  ok->SetParent(dialog);
  ok->SetKind(TBitBtnKind::bkOK);
  ok->SetBounds(10, 10, 75, 25);
  H.System->At(10, [&] {
    H.System->Push(Headless::Mouse(TEventKind::MouseDown, 20, 20));
    H.System->Push(Headless::Mouse(TEventKind::MouseUp, 20, 20));
  });
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  H.System->At(30, [&] { H.System->Push(Headless::Key(VK_RETURN)); });
  EXPECT_EQ(dialog->ShowModal(), mrOk);
}

TEST_F(BitBtn, ADisabledButtonIgnoresClicksAndKeysAndLooksGrey) {
  TBitBtn* ok = Make(TBitBtnKind::bkOK, 0, "ok");
  ShowForm();
  ok->SetEnabled(false);
  ClickAt(20, 20);
  Type(VK_RETURN);
  EXPECT_TRUE(Log.empty());
  // Where enabled text is black, disabled text is shadow grey on a white engraving.
  int black = 0, grey = 0;
  for (int y = 10; y < 40; ++y)
    for (int x = 0; x < 50; ++x) {
      black += Shown(x, y) == 0 && x > 2 && x < 47 && y > 12 && y < 37;
      grey += Shown(x, y) == kShadow;
    }
  EXPECT_EQ(black, 0);
  EXPECT_GT(grey, 0);
}

TEST_F(BitBtn, ItLooksPressedOnlyWhileTheMouseHoldsItOverIt) {
  Make(TBitBtnKind::bkCustom, 0, "plain");
  ShowForm();
  // The second ring: a shadow when pressed, a highlight in the (focused) raised look.
  auto pressedLook = [&] { return Shown(1, 11) == kShadow; };
  PressAt(20, 20);
  EXPECT_TRUE(pressedLook());
  MoveTo(100, 100);
  EXPECT_FALSE(pressedLook());
  MoveTo(20, 20);
  EXPECT_TRUE(pressedLook());
  ReleaseAt(20, 20);
  EXPECT_FALSE(pressedLook());
  EXPECT_EQ(Log, (std::vector<std::string>{"plain with result 0"}));
}

// The release then goes to the modal window; the button must not stay down or wait for it.
TEST_F(BitBtn, AModalWindowOpeningWhileItIsHeldLetsItUp) {
  TBitBtn* button = Make(TBitBtnKind::bkCustom, 0, "plain");
  ShowForm();
  PressAt(20, 20);
  ASSERT_TRUE(button->Pressed());
  Form->SetEnabled(false);
  EXPECT_FALSE(button->Pressed());
  Form->SetEnabled(true);
  MoveTo(21, 20);
  EXPECT_FALSE(button->Pressed());
  EXPECT_TRUE(Log.empty());
}

TEST_F(BitBtn, TheFocusedButtonShowsADottedRectangle) {
  Make(TBitBtnKind::bkCustom, 0, "a");
  TBitBtn* b = Make(TBitBtnKind::bkCustom, 60, "b");
  ShowForm();
  auto dots = [&](int left) {
    int count = 0;
    for (int x = left + 4; x < left + 46; ++x) count += Shown(x, 14) == 0;
    return count;
  };
  EXPECT_EQ(dots(0), 21);
  EXPECT_EQ(dots(60), 0);
  b->SetFocus();
  H.App.ProcessMessages();
  EXPECT_EQ(dots(0), 0);
  EXPECT_EQ(dots(60), 21);
}

// Enter clicks the focused button, else the default one: exactly that button shows the frame.
TEST_F(BitBtn, TheFocusedButtonCarriesTheDefaultFrameAndTheDefaultButtonOnlyWhileNoOtherButtonHasIt) {
  TBitBtn* ok = Make(TBitBtnKind::bkOK, 0, "ok");
  TBitBtn* other = Make(TBitBtnKind::bkCustom, 60, "other");
  auto* bar = new TScrollBar(Form);
  bar->SetParent(Form);
  bar->SetBounds(120, 10, 60, 17);
  ShowForm();
  auto framed = [&] {
    std::string seen;
    for (const int left : {0, 60}) seen += Shown(left, 25) == kDarkShadow ? "F" : "-";
    return seen;
  };
  ASSERT_EQ(Form->ActiveControl(), ok);
  EXPECT_EQ(framed(), "F-");
  other->SetFocus();
  H.App.ProcessMessages();
  EXPECT_EQ(framed(), "-F");
  Type(VK_RETURN);
  bar->SetFocus();
  H.App.ProcessMessages();
  EXPECT_EQ(framed(), "F-");
  Type(VK_RETURN);
  EXPECT_EQ(Log, (std::vector<std::string>{"other with result 0", "ok with result 1"}));
}

}  // namespace
