// An opaque image over the whole form reaches the screen straight from its own pixels, and
// nothing reaches a window before it is shown.
#include <gtest/gtest.h>

#include "framework/ui/controls/Image.h"
#include "support/FormFixture.h"

namespace {

class ImageOnForm : public TFormFixture {
 protected:
  TImage* Image = nullptr;
  int FormPaints = 0;

  void SetUp() override {
    TFormFixture::SetUp();
    Form->OnPaint = [this](TComponent*) { ++FormPaints; };
    Image = new TImage(Form);
    Image->SetParent(Form);
    Image->SetAlign(TAlign::alClient);
    Image->Picture().Bitmap().SetSize(200, 120);
    Fill(0x123456);
  }

  void Fill(TPixel pixel) {
    TBitmap& bitmap = Image->Picture().Bitmap();
    for (int y = 0; y < bitmap.Height(); ++y)
      for (int x = 0; x < bitmap.Width(); ++x) bitmap.Row32(y)[x] = pixel;
  }

  void Expose(const TRect& area) {
    TWsEvent expose = Headless::Of(TEventKind::Expose, Form->Handle());
    expose.Area = area;
    Send(expose);
  }
};

TEST_F(ImageOnForm, ShowsItselfWithoutAPaintOfTheForm) {
  ShowForm();
  EXPECT_EQ(Shown(0, 0), 0x123456u);
  EXPECT_EQ(Shown(199, 119), 0x123456u);
  Fill(0x654321);
  Expose({10, 10, 50, 50});
  EXPECT_EQ(Shown(30, 30), 0x654321u);
  EXPECT_EQ(FormPaints, 0);
}

TEST_F(ImageOnForm, AFormThatShowsAroundItIsPainted) {
  Image->SetAlign(TAlign::alNone);
  Image->SetBounds(0, 0, 100, 120);
  ShowForm();
  EXPECT_GT(FormPaints, 0);
  EXPECT_EQ(Shown(50, 50), 0x123456u);
  EXPECT_EQ(Shown(150, 50), kFace);
}

TEST_F(ImageOnForm, NothingReachesTheWindowBeforeItIsMappedAndTheShowHandlerDrawsOnScreen) {
  Form->WindowState = TWindowState::wsMaximized;
  Form->OnResize = [this](TComponent*) {
    // Taking the screen's size while being shown: the window is not mapped yet.
    Image->Picture().Bitmap().SetSize(Image->Width(), Image->Height());
    Fill(0x00ABCDEF);
    Image->Repaint();
  };
  Form->OnShow = [this](TComponent*) {
    Fill(0x00FEDCBA);
    Image->Repaint();
    EXPECT_EQ(Shown(100, 60), 0xFEDCBAu);
  };
  ShowForm();
  EXPECT_EQ(H.System->HiddenPuts, 0);
  EXPECT_EQ(Shown(1000, 700), 0xFEDCBAu);
}

}  // namespace
