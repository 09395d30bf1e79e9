#include "framework/ui/controls/SpeedButton.h"
#include "support/FormFixture.h"

namespace {

class Hint : public TFormFixture {
 protected:
  TSpeedButton* Button = nullptr;

  void SetUp() override {
    TFormFixture::SetUp();
    Button = new TSpeedButton(Form);
    Button->SetParent(Form);
    Button->SetBounds(10, 10, 30, 20);
    Button->Hint = "Pick a colour";
    Button->ShowHint = true;
  }
  // Lets the clock run until the hint shows or `limitMs` more milliseconds have passed.
  bool HintShowsWithin(std::int64_t limitMs) {
    H.RunUntil([&] { return Form->Input().Hint()->Showing(); }, H.System->NowMs() + limitMs);
    return Form->Input().Hint()->Showing();
  }
};

TEST_F(Hint, ShowsBelowThePointerOnceItRestsOnTheControl) {
  ShowForm();
  MoveTo(20, 15);
  EXPECT_FALSE(Form->Input().Hint()->Showing());
  ASSERT_TRUE(HintShowsWithin(2000));
  EXPECT_EQ(Form->Input().Hint()->Text(), "Pick a colour");
  H.App.ProcessMessages();
  const TRect area = Form->Input().Hint()->Area();
  EXPECT_EQ(area.Left, 20);
  EXPECT_EQ(area.Top, 15 + THintWindow::PointerHeight);
  EXPECT_EQ(Shown(area.Left, area.Top), 0x000000u);          // its frame
  EXPECT_EQ(Shown(area.Left + 1, area.Top + 1), 0xFFFFE1u);  // the yellow ground
}

TEST_F(Hint, GoesWithAClickOrTheControlsEnd) {
  ShowForm();
  MoveTo(20, 15);
  ASSERT_TRUE(HintShowsWithin(2000));
  H.App.ProcessMessages();
  const TRect area = Form->Input().Hint()->Area();
  ASSERT_NE(Shown(area.Left + 1, area.Top + 1), kFace);
  PressAt(20, 15);
  EXPECT_FALSE(Form->Input().Hint()->Showing());
  EXPECT_EQ(Shown(area.Left + 1, area.Top + 1), kFace);
  ReleaseAt(20, 15);
  // A control that goes while its hint is pending leaves nothing behind.
  MoveTo(100, 100);
  MoveTo(20, 15);
  delete Button;
  EXPECT_FALSE(HintShowsWithin(2000));
}

TEST_F(Hint, IsNotShownWhenNeitherTheControlNorItsParentAsksForIt) {
  Button->ShowHint = false;
  ShowForm();
  MoveTo(20, 15);
  EXPECT_FALSE(HintShowsWithin(2000));
  Button->ParentShowHint = true;
  Form->ShowHint = true;
  MoveTo(21, 15);
  MoveTo(100, 100);
  MoveTo(20, 15);
  EXPECT_TRUE(HintShowsWithin(2000));
}

}  // namespace
