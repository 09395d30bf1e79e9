#include "components/VekImage.h"
#include "framework/graphics/Canvas.h"
#include "support/FormFixture.h"

namespace {

constexpr TColor kTopLeft = RGB(200, 0, 0), kTopRight = RGB(0, 200, 0);
constexpr TColor kBottomLeft = RGB(0, 0, 200), kBottomRight = RGB(200, 200, 0);

// A surface at (10, 10) of the form, 40 x 30, holding a smaller picture of four quarters.
class VekImagePainting : public TFormFixture {
 protected:
  TVekImage* Image = nullptr;

  void SetUp() override {
    TFormFixture::SetUp();
    Form->Color = clWhite;
    Image = new TVekImage(Form);
    Image->SetParent(Form);
    Image->SetBounds(10, 10, 40, 30);
    Picture(10, 6);
    ShowForm();
  }
  void Picture(int width, int height) {
    TBitmap& bitmap = Image->Picture().Bitmap();
    bitmap.SetSize(width, height);
    TCanvas& canvas = Image->Canvas();
    const auto quarter = [&](TColor c, int x1, int y1, int x2, int y2) {
      canvas.Brush.Color = c;
      canvas.FillRect({x1, y1, x2, y2});
    };
    quarter(kTopLeft, 0, 0, width / 2, height / 2);
    quarter(kTopRight, width / 2, 0, width, height / 2);
    quarter(kBottomLeft, 0, height / 2, width / 2, height);
    quarter(kBottomRight, width / 2, height / 2, width, height);
  }
  void Repainted() { H.App.ProcessMessages(); }
  TColor At(int x, int y) { return PixelToColor(Shown(x, y)); }
};

TEST_F(VekImagePainting, APlainPictureSitsAtTheTopLeftCorner) {
  EXPECT_EQ(At(10, 10), kTopLeft);
  EXPECT_EQ(At(19, 15), kBottomRight);
  EXPECT_EQ(At(20, 10), clWhite);
}

TEST_F(VekImagePainting, AStretchedPictureFillsTheControl) {
  Image->SetStretch(true);
  Repainted();
  EXPECT_EQ(At(10, 10), kTopLeft);
  EXPECT_EQ(At(29, 24), kTopLeft);
  EXPECT_EQ(At(30, 24), kTopRight);
  EXPECT_EQ(At(29, 25), kBottomLeft);
  EXPECT_EQ(At(49, 39), kBottomRight);
  EXPECT_EQ(At(50, 39), clWhite);
  EXPECT_TRUE(Image->Opaque());
}

TEST_F(VekImagePainting, ACentredPictureSitsInTheMiddle) {
  Image->SetCenter(true);
  Repainted();
  // (40 - 10) / 2 = 15 and (30 - 6) / 2 = 12 from the control's corner.
  EXPECT_EQ(At(24, 21), clWhite);
  EXPECT_EQ(At(25, 22), kTopLeft);
  EXPECT_EQ(At(34, 27), kBottomRight);
  EXPECT_EQ(At(35, 27), clWhite);
  EXPECT_EQ(At(10, 10), clWhite);
}

TEST_F(VekImagePainting, ACentredPictureLargerThanTheControlShowsItsMiddle) {
  Image->SetCenter(true);
  Picture(60, 40);  // 10 columns and 5 rows hang over each side
  Image->Repaint();
  EXPECT_EQ(At(10, 10), kTopLeft);
  EXPECT_EQ(At(29, 24), kTopLeft);
  EXPECT_EQ(At(30, 25), kBottomRight);
  EXPECT_EQ(At(50, 40), clWhite);
}

TEST_F(VekImagePainting, AutoSizeGivesTheControlThePictureSize) {
  Image->SetAutoSize(true);
  EXPECT_EQ(Image->Width(), 10);
  EXPECT_EQ(Image->Height(), 6);
  Picture(7, 5);
  EXPECT_EQ(Image->Width(), 7);
  EXPECT_EQ(Image->Height(), 5);
  EXPECT_EQ(Image->Left(), 10);
  Repainted();
  EXPECT_EQ(At(16, 14), kBottomRight);
  EXPECT_EQ(At(17, 14), clWhite);
}

}  // namespace
