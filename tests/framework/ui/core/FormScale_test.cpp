#include "framework/graphics/Canvas.h"
#include "framework/ui/controls/Image.h"
#include "support/FormFixture.h"

namespace {

// A black square that tells where it was pressed.
class TSquare : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  TPoint PressedAt{-1, -1};
  void Paint(TCanvas& canvas) override {
    canvas.Brush.Color = clBlack;
    canvas.FillRect(ClientRect());
  }
  void MouseDown(TMouseButton, TShiftState, int x, int y) override { PressedAt = {x, y}; }
};

class FormScale : public TFormFixture {
 protected:
  void SetUp() override {
    H.System->Scale = 2;
    TFormFixture::SetUp();
    Form->SetBounds(10, 20, 200, 120);
    Square = new TSquare(Form);
    Square->SetParent(Form);
    Square->SetBounds(10, 10, 20, 20);
  }
  const THeadlessWindow& Window() { return *H.System->Window(Form->Handle()); }
  TSquare* Square = nullptr;
};

}  // namespace

TEST_F(FormScale, TheWindowIsTheScaledFormWhileTheFormAndItsControlsKeepTheirLogicalPlaces) {
  ShowForm();
  EXPECT_EQ(Window().Bounds, Bounds(20, 40, 400, 240));
  EXPECT_EQ(Form->BoundsRect(), Bounds(10, 20, 200, 120));
  EXPECT_EQ(Shown(19, 19), kFace);
  EXPECT_EQ(Shown(20, 20), 0u);
  EXPECT_EQ(Shown(59, 59), 0u);
  EXPECT_EQ(Shown(60, 59), kFace);
  // The pointer's device position reaches the control in its own logical pixels.
  PressAt(41, 43);
  EXPECT_EQ(Square->PressedAt, (TPoint{10, 11}));
  EXPECT_EQ(Square->ClientToScreen({0, 0}), (TPoint{20, 30}));
  // The window system's sizes come back logical; the form's asks go out scaled.
  TWsEvent resized = Headless::Of(TEventKind::Resized, Form->Handle());
  resized.Width = 300;
  resized.Height = 301;
  Send(resized);
  EXPECT_EQ(Form->Width(), 150);
  EXPECT_EQ(Form->Height(), 151);
  Form->SetBounds(10, 20, 100, 50);
  EXPECT_EQ(Window().Bounds, Bounds(20, 40, 200, 100));
}

TEST_F(FormScale, AScreenFillingFormDrawsTheDevicesOwnPixelsAndACentredOneCentresItsDeviceSize) {
  Form->Position = TPosition::poScreenCenter;
  ShowForm();
  EXPECT_EQ(Window().Bounds, Bounds((1024 - 400) / 2, (768 - 240) / 2, 400, 240));
  TForm* saver = nullptr;
  H.App.CreateForm(saver);
  saver->BorderStyle = TBorderStyle::bsNone;
  saver->WindowState = TWindowState::wsMaximized;
  saver->Show();
  EXPECT_EQ(saver->BoundsRect(), Bounds(0, 0, 1024, 768));
  EXPECT_EQ(H.System->Window(saver->Handle())->Bounds, Bounds(0, 0, 1024, 768));
}

TEST_F(FormScale, APictureThatShowsItsOwnPixelsIsShownGrown) {
  auto* image = new TImage(Form);
  image->SetParent(Form);
  image->SetBounds(0, 0, 200, 120);
  ShowForm();
  image->Canvas().Brush.Color = clRed;
  image->Canvas().FillRect({0, 0, 200, 120});
  image->Canvas().SetPixel(1, 1, clBlue);
  image->Repaint();
  EXPECT_EQ(Shown(1, 1), 0xFF0000u);
  EXPECT_EQ(Shown(2, 2), 0x0000FFu);
  EXPECT_EQ(Shown(3, 3), 0x0000FFu);
  EXPECT_EQ(Shown(4, 4), 0xFF0000u);
}

TEST_F(FormScale, AWindowMovedToAScreenOfAnotherScaleIsDrawnAgainAtThatScale) {
  Form->OnPaint = [&](TComponent*) {
    Form->Canvas().Brush.Color = clBlack;
    Form->Canvas().FillRect({100, 60, 110, 70});
  };
  ShowForm();
  TWsEvent moved = Headless::Of(TEventKind::ScaleChanged, Form->Handle());
  moved.Scale = 1.5;
  Send(moved);
  EXPECT_EQ(Form->BoundsRect(), Bounds(10, 20, 200, 120));
  EXPECT_EQ(Window().Bounds, Bounds(15, 30, 300, 180));
  EXPECT_EQ(Shown(14, 14), kFace);
  EXPECT_EQ(Shown(15, 15), 0u);  // the square from logical 10 to 30: device 15 to 45
  EXPECT_EQ(Shown(44, 44), 0u);
  EXPECT_EQ(Shown(45, 44), kFace);
  EXPECT_EQ(Shown(150, 90), 0u);  // and what the form paints itself
  EXPECT_EQ(Shown(149, 90), kFace);
  PressAt(44, 44);
  EXPECT_EQ(Square->PressedAt, (TPoint{19, 19}));
}
