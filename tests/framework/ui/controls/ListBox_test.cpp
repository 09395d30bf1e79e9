#include <string>
#include <vector>

#include "framework/ui/controls/ListBox.h"
#include "support/FormFixture.h"

namespace {

class ListBox : public TFormFixture {
 protected:
  TListBox* List = nullptr;
  int Clicks = 0;
  int DoubleClicks = 0;

  void SetUp() override {
    TFormFixture::SetUp();
    List = new TListBox(Form);
    List->SetParent(Form);
    List->SetBounds(10, 10, 120, 4 * List->ItemHeight() + 4);  // four lines in the field
    List->OnClick = [this](TComponent*) { ++Clicks; };
    List->OnDblClick = [this](TComponent*) { ++DoubleClicks; };
    std::vector<std::string> items;
    for (const char* name : {"apple", "banana", "blueberry", "cherry", "date", "elder", "fig", "grape"})
      items.push_back(name);
    List->SetItems(items);
  }
  // The middle of line `index` in the form's coordinates.
  TPoint LineMiddle(int index) {
    const TRect line = List->ItemRect(index);
    return {List->Left() + (line.Left + line.Right) / 2, List->Top() + (line.Top + line.Bottom) / 2};
  }
};

TEST_F(ListBox, APressSelectsALineAndTheKeysMoveTheSelectionScrollingItIntoView) {
  ShowForm();
  const TPoint second = LineMiddle(1);
  ClickAt(second.X, second.Y);
  EXPECT_EQ(List->ItemIndex(), 1);
  std::vector<int> seen;
  for (unsigned key : {unsigned{VK_DOWN}, unsigned{'B'}, unsigned{'B'}, unsigned{VK_NEXT}, unsigned{VK_END},
                       unsigned{VK_HOME}, unsigned{VK_UP}}) {
    Type(key);
    seen.push_back(List->ItemIndex());
  }
  EXPECT_EQ(seen, (std::vector<int>{2, 1, 2, 5, 7, 0, 0}));
  // Each change by the user was a click; the last key changed nothing.
  EXPECT_EQ(Clicks, 1 + 6);
  Type(VK_END);
  EXPECT_EQ(List->TopIndex(), 4);
}

TEST_F(ListBox, AnArrowKeyPastAnEdgeOfTheFieldScrollsItByOneLine) {
  ShowForm();
  List->SetItemIndex(3);  // the last line in view
  ASSERT_EQ(List->TopIndex(), 0);
  std::vector<int> tops;
  for (unsigned key : {unsigned{VK_DOWN}, unsigned{VK_DOWN}, unsigned{VK_UP}, unsigned{VK_UP}, unsigned{VK_UP},
                       unsigned{VK_UP}, unsigned{VK_UP}}) {
    Type(key);
    tops.push_back(List->TopIndex());
  }
  // Down twice from line 3 shows lines 1-4, then 2-5; up, the field follows once line 2 is passed.
  EXPECT_EQ(tops, (std::vector<int>{1, 2, 2, 2, 2, 1, 0}));
  EXPECT_EQ(List->ItemIndex(), 0);
}

TEST_F(ListBox, AScrollBarShowsWhileTheLinesDoNotFitAndScrollsThem) {
  ShowForm();
  const TControl* bar = List->Controls().front();
  EXPECT_TRUE(bar->Visible());
  // The lower arrow of the bar steps one line down.
  ClickAt(List->Left() + bar->Left() + 5, List->Top() + bar->Top() + bar->Height() - 5);
  EXPECT_EQ(List->TopIndex(), 1);
  List->SetItems({"one", "two"});
  EXPECT_FALSE(bar->Visible());
  EXPECT_EQ(List->TopIndex(), 0);
}

TEST_F(ListBox, TwoQuickPressesCloseTogetherAreADoubleClick) {
  ShowForm();
  const TPoint line = LineMiddle(2);
  ClickAt(line.X, line.Y);
  ClickAt(line.X + 3, line.Y);
  EXPECT_EQ(DoubleClicks, 1);
  ClickAt(line.X, line.Y);  // a third press begins a new pair
  EXPECT_EQ(DoubleClicks, 1);
  H.System->Advance(501);
  ClickAt(line.X, line.Y);
  EXPECT_EQ(DoubleClicks, 1);
  ClickAt(line.X + 5, line.Y);
  EXPECT_EQ(DoubleClicks, 1);
}

}  // namespace
