#include <cstdint>
#include <vector>

#include "framework/ui/controls/ScrollBar.h"
#include "support/FormFixture.h"

namespace {

// A horizontal bar of 121 x 17 at (0, 0): arrows of 17, a track of 87, a thumb of 17.
class ScrollBar : public TFormFixture {
 protected:
  TScrollBar* Bar = nullptr;
  std::vector<int> Changes;

  void SetUp() override {
    TFormFixture::SetUp();
    Bar = new TScrollBar(Form);
    Bar->SetParent(Form);
    Bar->SetParams(0, 0, 70);
    Bar->SetLargeChange(10);
    Bar->OnChange = [this](TComponent*) { Changes.push_back(Bar->Position()); };
  }
};

TEST_F(ScrollBar, ThePositionStaysInTheRangeAndOnlyAChangeIsReported) {
  Bar->SetPosition(500);
  Bar->SetPosition(70);
  Bar->SetPosition(-3);
  Bar->SetMin(10);
  Bar->SetMax(5);  // a maximum under the minimum takes the minimum with it
  EXPECT_EQ(Bar->Min(), 5);
  EXPECT_EQ(Bar->Max(), 5);
  Bar->SetParams(8, 0, 255);
  EXPECT_EQ(Changes, (std::vector<int>{70, 0, 10, 5, 8}));
}

TEST_F(ScrollBar, TheThumbMovesAlongTheTrackWithThePosition) {
  EXPECT_EQ(Bar->LowerArrowRect(), (TRect{0, 0, 17, 17}));
  EXPECT_EQ(Bar->UpperArrowRect(), (TRect{104, 0, 121, 17}));
  EXPECT_EQ(Bar->ThumbRect(), (TRect{17, 0, 34, 17}));
  Bar->SetPosition(35);
  EXPECT_EQ(Bar->ThumbRect(), (TRect{52, 0, 69, 17}));
  Bar->SetPosition(70);
  EXPECT_EQ(Bar->ThumbRect(), (TRect{87, 0, 104, 17}));
  Bar->SetKind(TScrollBarKind::sbVertical);
  EXPECT_EQ(Bar->Width(), 17);
  EXPECT_EQ(Bar->ThumbRect(), (TRect{0, 87, 17, 104}));
}

TEST_F(ScrollBar, ArrowsStepByTheSmallChangeAndTheTrackByTheLargeOne) {
  ShowForm();
  ClickAt(110, 8);
  ClickAt(110, 8);
  ClickAt(5, 8);
  ClickAt(90, 8);  // right of the thumb
  ClickAt(90, 8);
  ClickAt(30, 8);  // left of the thumb, now at 17 + 21
  ClickAt(5, 8);
  ClickAt(5, 8);
  ClickAt(5, 8);  // at the minimum already: no change
  EXPECT_EQ(Changes, (std::vector<int>{1, 2, 1, 11, 21, 11, 10, 9, 8}));
}

TEST_F(ScrollBar, DraggingTheThumbFollowsThePointerWithinTheRange) {
  ShowForm();
  PressAt(20, 8);  // 3 pixels into the thumb
  MoveTo(38, 30);
  EXPECT_EQ(Bar->Position(), 18);
  EXPECT_EQ(Bar->ThumbRect().Left, 35);
  MoveTo(38, 2);  // no move along the bar: no change
  MoveTo(300, 8);
  ReleaseAt(300, 8);
  MoveTo(20, 8);  // released: the thumb stays
  EXPECT_EQ(Changes, (std::vector<int>{18, 70}));
}

// With 10 steps over a travel of 70 pixels, a step every 7 pixels.
TEST_F(ScrollBar, AThumbDraggedBetweenTwoStepsTakesTheNearerOne) {
  Bar->SetMax(10);
  ShowForm();
  PressAt(20, 8);
  std::vector<int> positions;
  for (const int moved : {3, 4, 10, 11}) {
    MoveTo(20 + moved, 8);
    positions.push_back(Bar->Position());
  }
  ReleaseAt(31, 8);
  EXPECT_EQ(positions, (std::vector<int>{0, 1, 1, 2}));
}

TEST_F(ScrollBar, AHeldArrowRepeatsAfterAPauseWhileThePointerStaysOnIt) {
  ShowForm();
  const std::int64_t start = H.System->NowMs();
  PressAt(110, 8);
  H.RunTo(start + TScrollBar::RepeatDelayMs - 1);
  EXPECT_EQ(Changes, (std::vector<int>{1}));
  H.RunTo(start + TScrollBar::RepeatDelayMs + 2 * TScrollBar::RepeatIntervalMs + 1);
  EXPECT_EQ(Changes, (std::vector<int>{1, 2, 3, 4}));
  MoveTo(110, 40);  // off the arrow: the repeat pauses
  H.RunTo(start + 1010);
  EXPECT_EQ(Changes.size(), 4u);
  MoveTo(112, 9);
  H.RunTo(start + 1010 + TScrollBar::RepeatIntervalMs);
  EXPECT_EQ(Changes.size(), 5u);
  ReleaseAt(112, 9);
  H.RunTo(start + 3000);
  EXPECT_EQ(Changes.size(), 5u);
}

// One position is one pixel of the 70 the thumb travels.
TEST_F(ScrollBar, TheHeldTrackPagesUntilTheThumbReachesThePointer) {
  ShowForm();
  const std::int64_t start = H.System->NowMs();
  PressAt(60, 8);
  H.RunTo(start + 2000);
  ReleaseAt(60, 8);
  EXPECT_EQ(Changes, (std::vector<int>{10, 20, 30}));  // the thumb now covers 47 .. 63
}

TEST_F(ScrollBar, AModalWindowOpeningWhileAnArrowIsHeldEndsTheRepeat) {
  ShowForm();
  const std::int64_t start = H.System->NowMs();
  PressAt(110, 8);
  Form->SetEnabled(false);  // what showing a modal window does to the forms beneath it
  H.RunTo(start + 2000);
  EXPECT_EQ(Changes, (std::vector<int>{1}));
  EXPECT_EQ(Shown(112, 3), kFace);  // the arrow is drawn up again
}

TEST_F(ScrollBar, TheFocusedBarTakesArrowPageAndEndKeys) {
  ShowForm();
  ASSERT_TRUE(Bar->Focused());
  for (unsigned key : {VK_RIGHT, VK_DOWN, VK_NEXT, VK_LEFT, VK_END, VK_PRIOR, VK_UP, VK_HOME}) Type(key);
  EXPECT_EQ(Changes, (std::vector<int>{1, 2, 12, 11, 70, 60, 59, 0}));
}

}  // namespace
