#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "framework/graphics/Canvas.h"
#include "framework/ui/controls/Image.h"
#include "framework/ui/controls/Panel.h"
#include "framework/ui/core/Form.h"
#include "support/HeadlessApp.h"

namespace {

// A control that paints itself in one colour.
struct TProbe : TGraphicControl {
  // `bounds`: left, top, width and height.
  TProbe(TWinControl* parent, const std::string& name, std::array<int, 4> bounds) : TGraphicControl(parent) {
    Name = name;
    SetBounds(bounds[0], bounds[1], bounds[2], bounds[3]);
    SetParent(parent);
  }
  void Paint(TCanvas& canvas) override {
    canvas.Brush.Color = Fill;
    canvas.FillRect({0, 0, Width() + 50, Height() + 50});  // deliberately too large: must be clipped
  }
  TColor Fill = clRed;
};

class WinControl : public ::testing::Test {
 protected:
  THeadlessApp H;
  TForm* Form = nullptr;

  void SetUp() override {
    H.App.CreateForm(Form);
    Form->SetBounds(0, 0, 100, 80);
  }
  TPixel Shown(int x, int y) { return H.System->PixelAt(Form->Handle(), x, y); }
};

TEST_F(WinControl, AlignLaysOutTopBottomLeftRightThenClient) {
  auto aligned = [&](TAlign align, const char* name) {
    auto* probe = new TProbe(Form, name, {0, 0, 10, 10});
    probe->SetAlign(align);
    return probe;
  };
  // Made in an order unlike the layout order, which must not matter.
  TProbe* client = aligned(TAlign::alClient, "client");
  TProbe* left = aligned(TAlign::alLeft, "left");
  TProbe* bottom = aligned(TAlign::alBottom, "bottom");
  TProbe* right = aligned(TAlign::alRight, "right");
  TProbe* top = aligned(TAlign::alTop, "top");
  EXPECT_EQ(top->BoundsRect(), (TRect{0, 0, 100, 10}));
  EXPECT_EQ(bottom->BoundsRect(), (TRect{0, 70, 100, 80}));
  EXPECT_EQ(left->BoundsRect(), (TRect{0, 10, 10, 70}));
  EXPECT_EQ(right->BoundsRect(), (TRect{90, 10, 100, 70}));
  EXPECT_EQ(client->BoundsRect(), (TRect{10, 10, 90, 70}));

  Form->SetBounds(0, 0, 60, 50);
  EXPECT_EQ(client->BoundsRect(), (TRect{10, 10, 50, 40}));
  top->SetVisible(false);
  EXPECT_EQ(left->BoundsRect(), (TRect{0, 0, 10, 40}));
}

TEST_F(WinControl, AResizeMadeDuringALayoutIsLaidOutToo) {
  auto* outer = new TPanel(Form);
  outer->SetParent(Form);
  auto* inner = new TPanel(Form);
  inner->SetParent(outer);
  inner->SetAlign(TAlign::alClient);
  outer->SetBevelOuter(TBevelCut::bvNone);
  // As a component that fits itself to its content does: always 40 wide.
  inner->OnResize = [&](TComponent*) { outer->SetWidth(40); };
  outer->SetBounds(0, 0, 20, 30);
  EXPECT_EQ(outer->Width(), 40);
  EXPECT_EQ(inner->BoundsRect(), (TRect{0, 0, 40, 30}));
  // One that never settles stops all the same.
  inner->OnResize = [&](TComponent*) { outer->SetWidth(outer->Width() + 1); };
  outer->SetWidth(50);
  EXPECT_EQ(outer->Width(), 50 + TWinControl::MostLayoutPasses);
}

TEST_F(WinControl, AFormPaintsItsFaceThenItsVisibleControlsClippedToThem) {
  auto* panel = new TWinControl(Form);
  panel->SetBounds(40, 30, 20, 20);
  panel->SetParent(Form);
  auto* inPanel = new TProbe(panel, "inner", {5, 5, 100, 100});
  inPanel->Fill = clLime;
  auto* hidden = new TProbe(Form, "hidden", {0, 0, 10, 10});
  hidden->SetVisible(false);
  new TProbe(Form, "red", {10, 10, 5, 5});
  Form->Show();
  EXPECT_EQ(Shown(0, 0), 0xC0C0C0u);  // the face, clBtnFace
  EXPECT_EQ(Shown(10, 10), 0xFF0000u);
  EXPECT_EQ(Shown(14, 14), 0xFF0000u);
  EXPECT_EQ(Shown(15, 15), 0xC0C0C0u);
  EXPECT_EQ(Shown(45, 35), 0x00FF00u);
  EXPECT_EQ(Shown(59, 49), 0x00FF00u);
  EXPECT_EQ(Shown(60, 50), 0xC0C0C0u);  // clipped by the panel
}

TEST_F(WinControl, AnImageShowsABandOfRowsAtOnceOnlyWhenItIsOpaque) {
  auto* image = new TImage(Form);
  image->SetParent(Form);
  image->SetBounds(20, 10, 30, 20);
  TBitmap& bitmap = image->Picture().Bitmap();
  bitmap.SetSize(30, 20);
  Form->Show();
  H.App.ProcessMessages();
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x) bitmap.Row32(y)[x] = 0x123456;
  EXPECT_TRUE(image->ShowRows(4, 8));
  EXPECT_EQ(Shown(20, 13), 0u);  // row 3: not in the band
  EXPECT_EQ(Shown(20, 14), 0x123456u);
  EXPECT_EQ(Shown(49, 17), 0x123456u);
  EXPECT_EQ(Shown(20, 18), 0u);  // row 8: not in the band
  image->Transparent = true;
  EXPECT_FALSE(image->ShowRows(0, 20));  // it must go through a paint cycle instead
}

TEST_F(WinControl, AnOpaqueImageRepaintsStraightFromItsSharedBitmap) {
  auto* image = new TImage(Form);
  image->SetParent(Form);
  image->SetBounds(20, 10, 30, 20);
  TBitmap& bitmap = image->Picture().Bitmap();
  bitmap.SetSize(40, 20);  // wider than the control: clipped to it
  EXPECT_TRUE(H.System->IsSharedMemory(bitmap.Memory()));
  Form->Show();
  H.App.ProcessMessages();
  for (int x = 0; x < 40; ++x) bitmap.Row32(5)[x] = 0x123456;
  const int before = H.System->PutPixelsCalls;
  image->Repaint();
  EXPECT_EQ(H.System->PutPixelsCalls, before + 1);
  EXPECT_EQ(Shown(20, 15), 0x123456u);
  EXPECT_EQ(Shown(49, 15), 0x123456u);
  EXPECT_EQ(Shown(50, 15), 0xC0C0C0u);

  image->SetVisible(false);
  H.App.ProcessMessages();
  const int hidden = H.System->PutPixelsCalls;
  image->Repaint();
  EXPECT_EQ(H.System->PutPixelsCalls, hidden);
}

}  // namespace
