#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "components/VekImage.h"
#include "components/VekProgress.h"
#include "framework/graphics/Canvas.h"
#include "support/BitmapPicture.h"
#include "support/HeadlessApp.h"

namespace {

const TColor kFaceColor = ColorToRGB(clBtnFace);

class VekProgress : public ::testing::Test {
 protected:
  THeadlessApp H;
  TVekProgress* Bar = new TVekProgress(&H.App);

  TBitmap& Surface() { return Bar->Image().Picture().Bitmap(); }
  TColor Pixel(int x, int y) { return PixelToColor(Surface().PixelAt(x, y)); }
  std::string Text() { return std::to_string(Bar->Percent()) + " %"; }
  // Where the percentage lies: centred on the surface in the bar's font.
  TRect TextBox() {
    TBitmap scratch(1, 1);
    scratch.Canvas().Font = Bar->Font();
    const TSize size = scratch.Canvas().TextExtent(Text());
    return Bounds((Surface().Width() - size.cx) / 2, (Surface().Height() - size.cy) / 2, size.cx, size.cy);
  }
  // The bar without its text: the inverted text written once more at its place is gone.
  const TBitmap& Plain() {
    const TRect box = TextBox();
    Bar->Image().TextOutInv(box.Left, box.Top, Text());
    FPlain.Assign(Surface());
    Bar->Image().TextOutInv(box.Left, box.Top, Text());
    return FPlain;
  }
  TBitmap FPlain;
  // The text shows inverted: every pixel is the plain bar's or its inverse, and the inverted
  // ones fill the text box's ink.
  void ExpectInvertedText() {
    const TBitmap& plain = Plain();
    TRect inverted{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = 0; y < plain.Height(); ++y)
      for (int x = 0; x < plain.Width(); ++x) {
        const TPixel shown = Surface().PixelAt(x, y), under = plain.PixelAt(x, y);
        if (shown == under) continue;
        EXPECT_EQ(shown, under ^ 0xFFFFFFu) << x << "," << y;
        inverted = {std::min(inverted.Left, x), std::min(inverted.Top, y), std::max(inverted.Right, x + 1),
                    std::max(inverted.Bottom, y + 1)};
      }
    ASSERT_FALSE(inverted.IsEmpty());
    EXPECT_EQ(inverted.Intersect(TextBox()), inverted);
    EXPECT_LE(inverted.Left - TextBox().Left, 2);
    EXPECT_LE(TextBox().Right - inverted.Right, 2);
  }
};

TEST_F(VekProgress, ByDefaultItIsHalfFilledFromAquaToNavyWith50PercentInvertedInTheMiddle) {
  EXPECT_EQ(Bar->Width(), 200);
  EXPECT_EQ(Bar->Height(), 15);
  ASSERT_EQ(Surface().Width(), 196);
  ASSERT_EQ(Surface().Height(), 11);
  EXPECT_EQ(Bar->Font().Name, "Times New Roman");
  EXPECT_EQ(Bar->Font().Size(), 8);
  EXPECT_EQ(Bar->Font().Style, TFontStyle::fsBold | TFontStyle::fsItalic);
  EXPECT_EQ(Text(), "50 %");
  const TBitmap& plain = Plain();
  const auto at = [&](int x, int y) { return PixelToColor(plain.PixelAt(x, y)); };
  // 98 columns: 64 bands of one, then 34 of the far end's navy; the rest in the face colour.
  EXPECT_EQ(at(0, 0), clAqua);
  EXPECT_EQ(at(1, 5), RGB(0, 251, 253));
  EXPECT_EQ(at(63, 10), clNavy);
  EXPECT_EQ(at(97, 0), clNavy);
  EXPECT_EQ(InkBounds(plain, kFaceColor), (TRect{0, 0, 98, 11}));
  ExpectInvertedText();
}

TEST_F(VekProgress, ThePercentageIsOfMaxAloneWhileTheBarSpansMinToMax) {
  Bar->SetMax(120);
  Bar->SetMin(20);
  Bar->SetPosition(70);
  EXPECT_EQ(Text(), "58 %");
  EXPECT_EQ(InkBounds(Plain(), kFaceColor).Right, 98);
  ExpectInvertedText();
}

TEST_F(VekProgress, SettersKeepMinBelowMaxAndPositionBetween) {
  Bar->SetMin(10);
  Bar->SetMax(10);
  Bar->SetMax(5);
  EXPECT_EQ(Bar->Max(), 100);
  Bar->SetMin(100);
  EXPECT_EQ(Bar->Min(), 10);
  Bar->SetPosition(500);
  EXPECT_EQ(Bar->Position(), 100);
  // 64 bands of 3 and a navy strip of 4 up to the far end: no face colour left.
  EXPECT_EQ(InkBounds(Plain(), clNavy), (TRect{0, 0, 189, 11}));
  Bar->SetPosition(-3);
  EXPECT_EQ(Bar->Position(), 10);
  EXPECT_EQ(InkBounds(Plain(), kFaceColor), TRect{});
}

TEST_F(VekProgress, NormalStepsStayWithinTheRange) {
  Bar->StepIt();
  EXPECT_EQ(Bar->Position(), 51);
  Bar->StepIt(INT_MAX);
  EXPECT_EQ(Bar->Position(), 100);
  Bar->StepIt(INT_MIN);
  EXPECT_EQ(Bar->Position(), 0);
}

TEST_F(VekProgress, InTimerModeTheBarTurnsOnReachingOrPassingAnEnd) {
  Bar->SetIsTimer(true);
  Bar->SetShowValue(false);
  Bar->SetPosition(95);
  Bar->StepIt(5);  // exactly onto Max: a full bar, and back from there
  EXPECT_EQ(Bar->Position(), 100);
  EXPECT_EQ(Bar->StepSign(), -1);
  EXPECT_EQ(Pixel(195, 5), clNavy);
  Bar->StepIt(5);
  EXPECT_EQ(Bar->Position(), 95);
  Bar->SetPosition(5);
  Bar->StepIt(5);  // exactly onto Min
  EXPECT_EQ(Bar->Position(), 0);
  EXPECT_EQ(Bar->StepSign(), 1);
  Bar->SetPosition(99);
  Bar->StepIt(5);
  EXPECT_EQ(Bar->Position(), 104);
  EXPECT_EQ(Bar->StepSign(), -1);
  Bar->StepIt(5);
  EXPECT_EQ(Bar->Position(), 99);
  Bar->SetIsTimer(false);
  EXPECT_EQ(Bar->StepSign(), -1);  // kept for the next timer run
}

TEST_F(VekProgress, InTimerModeAPeakInColor2FadesToColor1AtBothEnds) {
  Bar->SetShowValue(false);
  Bar->SetIsTimer(true);
  EXPECT_EQ(Pixel(0, 0), clAqua);
  EXPECT_EQ(Pixel(97, 5), clNavy);
  EXPECT_EQ(Pixel(98, 5), clNavy);
  EXPECT_EQ(Pixel(195, 10), clAqua);
  EXPECT_EQ(InkBounds(Surface(), kFaceColor), (TRect{0, 0, 196, 11}));
}

TEST_F(VekProgress, VerticallyItFillsFromTheBottom) {
  Bar->SetBounds(0, 0, 15, 104);  // a surface of 11 x 100
  Bar->SetShowValue(false);
  Bar->SetOrientation(TVekProgressOrientation::vpoVertical);
  EXPECT_EQ(Pixel(5, 99), clAqua);
  EXPECT_EQ(Pixel(5, 50), clNavy);
  EXPECT_EQ(InkBounds(Surface(), kFaceColor), (TRect{0, 50, 11, 100}));
  Bar->SetIsTimer(true);
  EXPECT_EQ(Pixel(5, 0), clAqua);
  EXPECT_EQ(Pixel(5, 49), clNavy);
  EXPECT_EQ(Pixel(5, 50), clNavy);
  EXPECT_EQ(Pixel(5, 99), clAqua);
}

TEST_F(VekProgress, MaxOfZeroShowsZeroPercentAndExtremesDoNotOverflow) {
  Bar->SetMin(-10);
  Bar->SetMax(0);
  EXPECT_EQ(Text(), "0 %");
  ExpectInvertedText();
  Bar->SetMin(INT_MIN);
  Bar->SetMax(INT_MAX);
  Bar->SetPosition(INT_MAX);
  EXPECT_EQ(Text(), "100 %");
  EXPECT_EQ(InkBounds(Plain(), kFaceColor).Right, 196);
  Bar->SetPosition(INT_MIN);
  EXPECT_EQ(Bar->Percent(), -100);
}

TEST_F(VekProgress, TimerStepsSaturateAtTheIntegerLimits) {
  Bar->SetIsTimer(true);
  Bar->SetPosition(100);
  Bar->StepIt(INT_MAX);
  EXPECT_EQ(Bar->Position(), INT_MAX);
  EXPECT_EQ(Bar->StepSign(), -1);
  Bar->StepIt(INT_MAX);
  EXPECT_EQ(Bar->Position(), 0);
  EXPECT_EQ(Bar->StepSign(), 1);
  Bar->StepIt(INT_MIN);
  Bar->StepIt(INT_MIN);
  EXPECT_EQ(Bar->Position(), INT_MIN);
  EXPECT_EQ(Bar->Percent(), INT_MIN);
}

TEST_F(VekProgress, ResizingRedrawsAlsoWithTheUsersOwnOnResize) {
  int resizes = 0;
  Bar->OnResize = [&](TComponent* sender) {
    EXPECT_EQ(sender, Bar);
    ++resizes;
  };
  Bar->SetWidth(104);
  EXPECT_EQ(resizes, 1);
  EXPECT_EQ(InkBounds(Plain(), kFaceColor), (TRect{0, 0, 50, 11}));
}

TEST_F(VekProgress, DestroyedWithItsBarsOnItRaisesNothing) {
  Bar->SetScrollBars(true);
  int resizes = 0;
  Bar->OnResize = [&](TComponent*) { ++resizes; };
  delete Bar;
  EXPECT_EQ(resizes, 0);
}

}  // namespace
