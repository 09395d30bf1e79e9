#include <string>

#include "framework/base/Utf8.h"
#include "framework/ui/controls/Edit.h"
#include "support/FormFixture.h"

namespace {

TEST(EditLine, MovesAndErasesWholeCharactersAndTypingReplacesTheSelection) {
  TEditLine line;
  line.SetText(
      "a\xC3\xB1"
      "b\xE2\x82\xAC");  // a, n with tilde, b, euro sign
  EXPECT_EQ(line.Caret(), 7u);
  line.Left(false);
  EXPECT_EQ(line.Caret(), 4u);
  line.Left(true);
  line.Left(true);
  EXPECT_EQ(line.SelStart(), 1u);
  EXPECT_EQ(line.SelEnd(), 4u);
  line.Insert("xy");
  EXPECT_EQ(line.Text(), "axy\xE2\x82\xAC");
  EXPECT_TRUE(line.Delete());
  EXPECT_EQ(line.Text(), "axy");
  EXPECT_FALSE(line.Delete());
  line.MoveTo(0, false);
  EXPECT_FALSE(line.Backspace());
  // Into the middle of a character: the caret goes to its start.
  line.SetText("\xC3\xB1z");
  line.MoveTo(1, false);
  EXPECT_EQ(line.Caret(), 0u);
  // A stray byte is a character of its own.
  line.SetText("\xE9\xE9");
  line.Left(false);
  EXPECT_EQ(line.Caret(), 1u);
  EXPECT_TRUE(line.Backspace());
  EXPECT_EQ(line.Text(), "\xE9");
}

TEST(EditLine, ASelectionCollapsesToTheEdgeTheArrowPointsTo) {
  TEditLine line;
  line.SetText("abcd");
  line.SelectAll();
  line.Right(false);
  EXPECT_EQ(line.Caret(), 4u);
  line.SelectAll();
  line.Left(false);
  EXPECT_EQ(line.Caret(), 0u);
  EXPECT_FALSE(line.HasSelection());
}

class Edit : public TFormFixture {
 protected:
  TEdit* Field = nullptr;
  int Changes = 0;

  void SetUp() override {
    TFormFixture::SetUp();
    Field = new TEdit(Form);
    Field->SetParent(Form);
    Field->SetBounds(10, 10, 100, 21);
    Field->OnChange = [this](TComponent*) { ++Changes; };
  }
  void TypeText(const std::string& text) {
    for (char32_t c : DecodeUtf8(text)) Send(Headless::Char(c, Form->Handle()));
  }
  // The columns of the field's inside that show the caret's colour on every row of the text.
  int CaretColumn() {
    for (int x = 13; x < 107; ++x) {
      bool column = true;
      for (int y = 14; y < 27; ++y) column &= Shown(x, y) == 0x000000u;
      if (column) return x;
    }
    return -1;
  }
};

TEST_F(Edit, TypedCharactersGoInAtTheCaretAndTheKeysEditAroundIt) {
  ShowForm();
  ASSERT_TRUE(Field->Focused());
  TypeText("h\xC3\xA9llo");
  Type(VK_LEFT);
  Type(VK_LEFT);
  Type(VK_BACK);
  TypeText("L");
  Type(VK_HOME, ssShift);
  Type(VK_DELETE);
  Type(VK_END);
  EXPECT_EQ(Field->Text(), "lo");
  Type('A', ssCtrl);
  TypeText("path/file.jpg");
  EXPECT_EQ(Field->Text(), "path/file.jpg");
  Type('A', ssCtrl);
  TypeText("x");
  EXPECT_EQ(Field->Text(), "x");
  EXPECT_EQ(Changes, 5 + 1 + 1 + 1 + 13 + 1);
}

TEST_F(Edit, DialogKeysAndKeysTheFormTakesDoNotType) {
  int dialogKeys = 0;
  Form->OnKeyDown = [&](TComponent*, unsigned& key, TShiftState) {
    if (key == 'Q') key = 0;
    dialogKeys += key == VK_RETURN || key == VK_ESCAPE;
  };
  ShowForm();
  TypeText("aQb");
  Type(VK_RETURN);
  Type(VK_ESCAPE);
  EXPECT_EQ(Field->Text(), "ab");
  EXPECT_EQ(dialogKeys, 2);
}

TEST_F(Edit, APressPlacesTheCaretAndADragSelects) {
  Field->SetText("abcdef");
  ShowForm();
  PressAt(12, 20);
  ReleaseAt(12, 20);
  EXPECT_EQ(Field->Line().Caret(), 0u);
  PressAt(13, 20);
  MoveTo(200, 20);
  ReleaseAt(200, 20);
  EXPECT_EQ(Field->Line().SelStart(), 0u);
  EXPECT_EQ(Field->Line().SelEnd(), 6u);
}

TEST_F(Edit, TheCaretShowsWhileFocusedAndStaysInViewAsTheTextGrows) {
  ShowForm();
  EXPECT_EQ(CaretColumn(), 13);
  TypeText(std::string(40, 'w'));
  H.App.ProcessMessages();
  const int caret = CaretColumn();
  EXPECT_GT(caret, 90);
  EXPECT_LT(caret, 107);
  Type(VK_HOME);
  H.App.ProcessMessages();
  EXPECT_EQ(CaretColumn(), 13);
}

}  // namespace
