#include "framework/ui/controls/StaticText.h"
#include "support/FormFixture.h"

namespace {

class StaticText : public TFormFixture {
 protected:
  TStaticText* Text = nullptr;

  void SetUp() override {
    TFormFixture::SetUp();
    Text = new TStaticText(Form);
    Text->SetParent(Form);
    Text->SetBounds(16, 16, 97, 20);
  }
  int DarkPixels() {
    int count = 0;
    for (int y = 17; y < 35; ++y)
      for (int x = 17; x < 112; ++x) count += Shown(x, y) == 0;
    return count;
  }
};

TEST_F(StaticText, WithoutAutoSizeKeepsItsSizeAndASunkenBorderFramesTheText) {
  Text->SetAutoSize(false);
  Text->SetBorderStyle(TStaticBorderStyle::sbsSunken);
  Text->SetCaption("Colours:");
  ShowForm();
  EXPECT_EQ(Text->BoundsRect(), Bounds(16, 16, 97, 20));
  EXPECT_EQ(Shown(16, 16), kShadow);
  EXPECT_EQ(Shown(112, 35), kHighlight);
  EXPECT_GT(DarkPixels(), 10);
}

TEST_F(StaticText, AutoSizeFitsTheTextAndItsBorder) {
  Text->SetCaption("Colours:");
  const TRect plain = Text->BoundsRect();
  Text->SetBorderStyle(TStaticBorderStyle::sbsSunken);
  EXPECT_EQ(Text->Width(), plain.Width() + 2);
  EXPECT_EQ(Text->Height(), plain.Height() + 2);
  Text->SetCaption("Colours and more:");
  EXPECT_GT(Text->Width(), plain.Width() + 2);
  EXPECT_EQ(Text->Left(), 16);
}

TEST_F(StaticText, TakesNoFocus) {
  Text->SetTabOrder(0);
  ShowForm();
  EXPECT_EQ(Form->ActiveControl(), nullptr);
  EXPECT_TRUE(Form->TabOrderList().empty());
}

}  // namespace
