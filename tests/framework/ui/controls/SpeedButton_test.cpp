#include <array>
#include <vector>

#include "framework/ui/controls/Panel.h"
#include "framework/ui/controls/SpeedButton.h"
#include "support/FormFixture.h"

namespace {

class SpeedButton : public TFormFixture {
 protected:
  std::array<TSpeedButton*, 3> Group{};
  std::vector<TSpeedButton*> Clicked;

  // Three buttons of group 1 side by side at (10, 10), 34 x 26 each.
  void MakeGroup() {
    for (std::size_t i = 0; i < Group.size(); ++i) {
      Group[i] = new TSpeedButton(Form);
      Group[i]->SetParent(Form);
      Group[i]->SetBounds(10 + 34 * static_cast<int>(i), 10, 34, 26);
      Group[i]->SetGroupIndex(1);
      Group[i]->OnClick = [this](TComponent* sender) { Clicked.push_back(static_cast<TSpeedButton*>(sender)); };
    }
  }
  std::vector<bool> Downs() const { return {Group[0]->Down(), Group[1]->Down(), Group[2]->Down()}; }
};

TEST_F(SpeedButton, ExactlyOneOfAGroupIsDownAndClickingItKeepsItDown) {
  MakeGroup();
  Group[0]->SetDown(true);
  ShowForm();
  ClickAt(60, 20);
  EXPECT_EQ(Downs(), (std::vector<bool>{false, true, false}));
  ClickAt(60, 20);
  EXPECT_EQ(Downs(), (std::vector<bool>{false, true, false}));
  Group[1]->SetDown(false);  // refused: one of the group stays down
  EXPECT_EQ(Downs(), (std::vector<bool>{false, true, false}));
  Group[2]->SetDown(true);
  EXPECT_EQ(Downs(), (std::vector<bool>{false, false, true}));
  EXPECT_EQ(Clicked, (std::vector<TSpeedButton*>{Group[1], Group[1]}));
}

TEST_F(SpeedButton, TheDownOneStaysDownAndUngroupedButtonsNeverGoDown) {
  MakeGroup();
  Group[0]->SetDown(true);
  Group[0]->SetDown(false);
  ShowForm();
  ClickAt(20, 20);
  EXPECT_EQ(Downs(), (std::vector<bool>{true, false, false}));
  Group[2]->SetGroupIndex(0);
  Group[2]->SetDown(true);
  EXPECT_FALSE(Group[2]->Down());
}

TEST_F(SpeedButton, ADownButtonLooksSunkenAndAnUpOneRaised) {
  MakeGroup();
  Group[1]->SetDown(true);
  ShowForm();
  EXPECT_EQ(Shown(10, 10), kHighlight);
  EXPECT_EQ(Shown(44, 10), kDarkShadow);
}

TEST_F(SpeedButton, AModalWindowOpeningWhileItIsHeldLetsItUpWithoutAClick) {
  MakeGroup();
  ShowForm();
  PressAt(20, 20);
  ASSERT_TRUE(Group[0]->Pressed());
  Form->SetEnabled(false);
  EXPECT_FALSE(Group[0]->Pressed());
  Form->SetEnabled(true);
  MoveTo(21, 20);
  EXPECT_FALSE(Group[0]->Pressed());
  EXPECT_TRUE(Clicked.empty());
}

TEST_F(SpeedButton, AFlatButtonShowsItsParentUntilHoveredOrPressed) {
  auto* panel = new TPanel(Form);
  panel->SetParent(Form);
  panel->SetBounds(0, 0, 100, 60);
  panel->SetBevelOuter(TBevelCut::bvNone);
  panel->SetColor(clRed);
  auto* button = new TSpeedButton(Form);
  button->SetParent(panel);
  button->SetBounds(10, 10, 30, 20);
  button->SetFlat(true);
  ShowForm();
  auto corners = [&] { return std::vector<TPixel>{Shown(10, 10), Shown(39, 29), Shown(20, 20)}; };
  constexpr TPixel red = 0xFF0000;
  EXPECT_EQ(corners(), (std::vector<TPixel>{red, red, red}));
  MoveTo(20, 20);
  EXPECT_TRUE(button->MouseInControl());
  EXPECT_EQ(corners(), (std::vector<TPixel>{kHighlight, kShadow, red}));
  PressAt(20, 20);
  EXPECT_EQ(corners(), (std::vector<TPixel>{kShadow, kHighlight, red}));
  ReleaseAt(20, 20);
  MoveTo(70, 40);
  EXPECT_FALSE(button->MouseInControl());
  EXPECT_EQ(corners(), (std::vector<TPixel>{red, red, red}));
  MoveTo(20, 20);
  PointerLeaves();
  EXPECT_EQ(corners(), (std::vector<TPixel>{red, red, red}));
}

TEST_F(SpeedButton, TheGlyphSitsAtItsMarginWithItsBackgroundTransparent) {
  TBitmap glyph(4, 2);
  TCanvas& canvas = glyph.Canvas();
  canvas.Brush.Color = clOlive;  // the bottom-left pixel's colour: transparent
  canvas.FillRect({0, 0, 4, 2});
  canvas.SetPixel(1, 0, clBlue);
  auto* button = new TSpeedButton(Form);
  button->SetParent(Form);
  button->SetBounds(10, 10, 34, 26);
  button->SetGlyph(glyph);
  button->SetMargin(2);
  ShowForm();
  EXPECT_EQ(Shown(10 + 2 + 1, 10 + 12), 0x0000FFu);
  EXPECT_EQ(Shown(10 + 2, 10 + 12), kFace);
  EXPECT_EQ(Shown(10 + 2, 10 + 13), kFace);
}

}  // namespace
