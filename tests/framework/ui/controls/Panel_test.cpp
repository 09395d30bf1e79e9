#include <vector>

#include "framework/ui/controls/Panel.h"
#include "support/FormFixture.h"

namespace {

class Panel : public TFormFixture {
 protected:
  TPanel* Make(TBevelCut outer, TBevelCut inner, int bevelWidth = 1) {
    auto* panel = new TPanel(Form);
    panel->SetParent(Form);
    panel->SetBounds(10, 10, 20, 20);
    panel->SetBevelOuter(outer);
    panel->SetBevelInner(inner);
    panel->SetBevelWidth(bevelWidth);
    return panel;
  }
  // The top-left and bottom-right pixels of ring `depth`, counted from the panel's edge.
  std::vector<TPixel> Ring(int depth) { return {Shown(10 + depth, 10 + depth), Shown(29 - depth, 29 - depth)}; }
};

TEST_F(Panel, ARaisedOuterAndALoweredInnerBevelAreTwoRingsAroundTheFace) {
  Make(TBevelCut::bvRaised, TBevelCut::bvLowered);
  ShowForm();
  EXPECT_EQ(Ring(0), (std::vector<TPixel>{kHighlight, kShadow}));
  EXPECT_EQ(Ring(1), (std::vector<TPixel>{kShadow, kHighlight}));
  EXPECT_EQ(Ring(2), (std::vector<TPixel>{kFace, kFace}));
  EXPECT_EQ(Shown(29, 10), kShadow);  // the far corners belong to the bottom-right edges
  EXPECT_EQ(Shown(10, 29), kShadow);
}

TEST_F(Panel, ALoweredOuterBevelAloneRepeatsForItsWidthAndTheColourFillsTheRest) {
  TPanel* panel = Make(TBevelCut::bvLowered, TBevelCut::bvNone, 2);
  panel->SetColor(clRed);
  ShowForm();
  EXPECT_EQ(Ring(0), (std::vector<TPixel>{kShadow, kHighlight}));
  EXPECT_EQ(Ring(1), (std::vector<TPixel>{kShadow, kHighlight}));
  EXPECT_EQ(Ring(2), (std::vector<TPixel>{0xFF0000, 0xFF0000}));
  EXPECT_EQ(panel->AlignRect(), (TRect{2, 2, 18, 18}));
}

TEST_F(Panel, WithoutBevelsItIsAllFaceAndChildrenFillItWhole) {
  TPanel* panel = Make(TBevelCut::bvNone, TBevelCut::bvNone);
  auto* child = new TPanel(Form);
  child->SetParent(panel);
  child->SetAlign(TAlign::alClient);
  child->SetBevelOuter(TBevelCut::bvNone);
  ShowForm();
  EXPECT_EQ(Ring(0), (std::vector<TPixel>{kFace, kFace}));
  EXPECT_EQ(child->BoundsRect(), (TRect{0, 0, 20, 20}));
  panel->SetBevelInner(TBevelCut::bvRaised);
  EXPECT_EQ(child->BoundsRect(), (TRect{1, 1, 19, 19}));
}

TEST_F(Panel, OnResizeIsRaisedOnEverySizeChangeButNotOnAMove) {
  TPanel* panel = Make(TBevelCut::bvRaised, TBevelCut::bvNone);
  int resizes = 0;
  panel->OnResize = [&](TComponent* sender) {
    EXPECT_EQ(sender, panel);
    ++resizes;
  };
  panel->SetWidth(97);
  panel->SetHeight(24);
  panel->SetLeft(50);
  panel->SetBounds(50, 10, 97, 24);
  EXPECT_EQ(resizes, 2);
}

TEST_F(Panel, TheCaptionIsCentredInTheFont) {
  TPanel* panel = Make(TBevelCut::bvRaised, TBevelCut::bvNone);
  panel->SetBounds(10, 10, 60, 30);
  panel->SetCaption("I");
  ShowForm();
  int dark = 0, firstX = 100, lastX = -1;
  for (int y = 11; y < 39; ++y)
    for (int x = 11; x < 69; ++x)
      if (Shown(x, y) == 0) {
        ++dark;
        firstX = std::min(firstX, x);
        lastX = std::max(lastX, x);
      }
  ASSERT_GT(dark, 0);
  EXPECT_NEAR((firstX + lastX) / 2.0, 40, 2);
}

}  // namespace
