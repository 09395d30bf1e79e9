#include <vector>

#include "components/ColorButton.h"
#include "framework/ui/controls/BitBtn.h"
#include "framework/ui/controls/SpeedButton.h"
#include "framework/ui/core/Application.h"
#include "framework/ui/dialogs/ColorChooser.h"
#include "support/FormFixture.h"

namespace {

constexpr int kRedSwatch = 8;
constexpr int kGreenSwatch = 18;

class ColorButton : public TFormFixture {
 protected:
  TColorButton* Button = nullptr;
  std::vector<TComponent*> Changes;

  void SetUp() override {
    TFormFixture::SetUp();
    Button = new TColorButton(Form);
    Button->SetParent(Form);
    Button->SetBounds(10, 10, 97, 24);
    Button->OnChange = [this](TComponent* sender) { Changes.push_back(sender); };
    ShowForm();
  }

  static TColorChooser* Chooser() {
    for (TForm* form : Application->Forms())
      if (auto* chooser = dynamic_cast<TColorChooser*>(form)) return chooser;
    return nullptr;
  }
  void ClickIn(TForm& form, const TRect& r) {
    const int x = (r.Left + r.Right) / 2, y = (r.Top + r.Bottom) / 2;
    H.System->Push(Headless::Mouse(TEventKind::MouseDown, x, y, form.Handle()));
    H.System->Push(Headless::Mouse(TEventKind::MouseUp, x, y, form.Handle()));
  }
  // Opens the chooser with a click on the button; once it is open, `inChooser` acts in it.
  void Choose(const std::function<void(TColorChooser&)>& inChooser) {
    H.System->At(H.System->NowMs() + 10, [&] {
      TColorChooser* chooser = Chooser();
      ASSERT_NE(chooser, nullptr);
      EXPECT_EQ(chooser->SelectedColor(), Button->Color());
      inChooser(*chooser);
    });
    ClickAt(50, 20);
    EXPECT_EQ(Chooser(), nullptr);
  }
  void PickSwatch(int swatch, bool confirm) {
    Choose([&](TColorChooser& chooser) {
      ClickIn(chooser, chooser.BasicSwatchRect(swatch));
      TBitBtn& button = confirm ? chooser.OkButton() : chooser.CancelButton();
      ClickIn(chooser, button.BoundsRect());
    });
  }
};

TEST_F(ColorButton, ANewOneIsARedBevelledPanelUnderAFlatHandButton) {
  auto* fresh = new TColorButton(Form);
  EXPECT_EQ(fresh->Width(), 64);
  EXPECT_EQ(fresh->Height(), 24);
  EXPECT_EQ(fresh->Color(), clRed);
  EXPECT_EQ(fresh->Caption(), " ");
  EXPECT_EQ(fresh->HelpContext, 0);
  EXPECT_EQ(fresh->BevelInner(), TBevelCut::bvLowered);
  EXPECT_EQ(fresh->BevelOuter(), TBevelCut::bvRaised);
  const TSpeedButton& flat = fresh->Button();
  EXPECT_EQ(flat.BoundsRect(), Bounds(2, 2, 60, 20));
  EXPECT_TRUE(flat.Flat());
  EXPECT_EQ(flat.Cursor(), crHandPoint);
  EXPECT_EQ(flat.Hint, "Elegir color");
  EXPECT_TRUE(flat.ShowHint);
}

TEST_F(ColorButton, ResizingRaisesThePanelEventFirstThenKeepsTheButtonTwoPixelsIn) {
  std::vector<TRect> buttonAtEvent;
  Button->OnPanelResize = [&](TComponent* sender) {
    EXPECT_EQ(sender, Button);
    buttonAtEvent.push_back(Button->Button().BoundsRect());
  };
  Button->SetBounds(10, 10, 120, 30);
  EXPECT_EQ(buttonAtEvent, (std::vector<TRect>{Bounds(2, 2, 93, 20)}));
  EXPECT_EQ(Button->Button().BoundsRect(), Bounds(2, 2, 116, 26));
  Button->SetBounds(10, 10, 97, 24);
  EXPECT_EQ(Button->Button().BoundsRect(), Bounds(2, 2, 93, 20));
}

TEST_F(ColorButton, ShowsItsColourThroughTheFlatButtonInsideTheBevels) {
  Button->SetColor(clBlue);
  H.App.ProcessMessages();
  EXPECT_EQ(Shown(10, 10), kHighlight);
  EXPECT_EQ(Shown(11, 11), kShadow);
  EXPECT_EQ(Shown(58, 22), 0x0000FFu);
  EXPECT_EQ(Shown(12, 12), 0x0000FFu);
  EXPECT_TRUE(Changes.empty());
}

TEST_F(ColorButton, APickedColourBecomesItsColourAndIsAnnouncedOnce) {
  PickSwatch(kGreenSwatch, true);
  EXPECT_EQ(Button->Color(), TColorChooser::BasicColor(kGreenSwatch));
  EXPECT_EQ(Changes, (std::vector<TComponent*>{Button}));
  EXPECT_EQ(Shown(58, 22), ColorToPixel(TColorChooser::BasicColor(kGreenSwatch)));
}

TEST_F(ColorButton, PickingTheColourAlreadyShownAnnouncesNothing) {
  ASSERT_EQ(TColorChooser::BasicColor(kRedSwatch), clRed);
  Button->SetColor(clRed);
  PickSwatch(kRedSwatch, true);
  EXPECT_EQ(Button->Color(), clRed);
  EXPECT_TRUE(Changes.empty());
}

TEST_F(ColorButton, CancellingTheChooserAfterChoosingAnotherColourChangesNothing) {
  Button->SetColor(clBlue);
  PickSwatch(kGreenSwatch, false);
  Choose([&](TColorChooser& chooser) {
    ClickIn(chooser, chooser.BasicSwatchRect(kRedSwatch));
    H.System->Push(Headless::Key(VK_ESCAPE, 0, chooser.Handle()));
  });
  EXPECT_EQ(Button->Color(), clBlue);
  EXPECT_TRUE(Changes.empty());
}

}  // namespace
