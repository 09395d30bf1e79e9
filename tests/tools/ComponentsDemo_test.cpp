// The components demo as a user sees it, on the headless backend with a virtual clock.
#include <gtest/gtest.h>

#include "ComponentsDemo.h"
#include "components/Escala.h"
#include "components/PnlImg.h"
#include "components/Poly.h"
#include "components/VekImage.h"
#include "components/VekProgress.h"
#include "framework/ui/controls/ScrollBar.h"
#include "support/HeadlessApp.h"

namespace {

class ComponentsDemoForm : public ::testing::Test {
 protected:
  THeadlessApp H;
  void SetUp() override {
    H.App.CreateForm(ComponentsDemo);
    ComponentsDemo->Show();
    H.App.ProcessMessages();
  }
  TPixel Shown(int x, int y) { return H.System->PixelAt(ComponentsDemo->Handle(), x, y); }
};

TEST_F(ComponentsDemoForm, TheTimerBarRunsAndTheDotTravelsUntilTheStepsRunOut) {
  ComponentsDemo->StepsLeft = 10;
  const int start = ComponentsDemo->VekProgress2->Position();
  H.RunTo(H.System->NowMs() + 1000);
  EXPECT_EQ(ComponentsDemo->VekProgress2->Position(), start + 20);
  EXPECT_DOUBLE_EQ(ComponentsDemo->Poly1->Rotation(), 10);
  EXPECT_NEAR(ComponentsDemo->Travel, 0.05, 1e-12);
}

TEST_F(ComponentsDemoForm, ScrollingThePanelMovesItsPicture) {
  TPnlImg& panel = *ComponentsDemo->PnlImg1;
  const TPoint corner = panel.Image().WindowOffset();
  const TPixel before = Shown(corner.X + 20, corner.Y + 20);
  panel.ScrollBarH()->SetPosition(9);
  H.App.ProcessMessages();
  EXPECT_NE(Shown(corner.X + 20, corner.Y + 20), before);
  EXPECT_EQ(Shown(corner.X + 20 - 18, corner.Y + 20), before);
}

}  // namespace
