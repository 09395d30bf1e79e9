#include "gallery/ImagePage.h"
#include "GalleryFixture.h"
#include "components/ColorButton.h"
#include "components/VekImage.h"
#include "framework/ui/controls/ScrollBar.h"
#include "framework/ui/controls/SpeedButton.h"
#include "framework/ui/menus/PopupMenu.h"

namespace {

class ImagePage : public TGalleryFixture {
 protected:
  TImagePage& Page() { return *GalleryForm->ImagePage; }
  TPixel Pixel(TVekImage& image, int x, int y) { return image.Picture().Bitmap().PixelAt(x, y); }
  bool SamePictures() {
    TBitmap& a = Page().Image1->Picture().Bitmap();
    TBitmap& b = Page().Image2->Picture().Bitmap();
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
      for (int x = 0; x < a.Width(); ++x)
        if (a.PixelAt(x, y) != b.PixelAt(x, y)) return false;
    return true;
  }
};

TEST_F(ImagePage, EachDrawingFillsThePictureAndFollowsTheProperties) {
  TVekImage& image = *Page().Image1;
  ASSERT_EQ(image.Picture().Bitmap().Width(), image.Width());
  // Boxes: the ground is the first colour inside its bevel.
  EXPECT_EQ(Pixel(image, 10, image.Height() / 2), ColorToPixel(clTeal));
  Page().ColorButton1->SetColor(clMaroon);
  Page().ColorButton1->OnChange(Page().ColorButton1);
  EXPECT_EQ(Pixel(image, 10, image.Height() / 2), ColorToPixel(clMaroon));
  // The bevel follows the size bar: its highlight reaches that far in.
  Page().SizeBar->SetPosition(9);
  EXPECT_EQ(Pixel(image, 8, image.Height() / 2), ColorToPixel(clWhite));
  EXPECT_EQ(Pixel(image, 9, image.Height() / 2), ColorToPixel(clMaroon));
  // The combining drawing: red and green discs overlap into yellow in the middle.
  ClickAt(MiddleOf(*Page().DrawingButtons[2]));
  EXPECT_EQ(Page().Drawing(), TShowcaseDrawing::Combined);
  EXPECT_EQ(Pixel(image, image.Width() / 2, image.Height() / 2 - 35), 0xFFFF00u);  // red and green, not blue
}

TEST_F(ImagePage, APictureDraggedOntoTheOtherSurfaceIsCopiedThere) {
  ASSERT_FALSE(SamePictures());
  const TPoint from = MiddleOf(*Page().Image1);
  const TPoint to = MiddleOf(*Page().Image2);
  Mouse(TEventKind::MouseDown, from);
  Mouse(TEventKind::MouseMove, {from.X + 10, from.Y});
  EXPECT_EQ(H.System->Window(Window())->Cursor, crNoDrop);  // over itself: refused
  Mouse(TEventKind::MouseMove, to);
  EXPECT_EQ(H.System->Window(Window())->Cursor, crDrag);
  Mouse(TEventKind::MouseUp, to);
  EXPECT_TRUE(SamePictures());
}

TEST_F(ImagePage, TheMenuOnThePictureCopiesItAndClearsIt) {
  ClickAt(MiddleOf(*Page().Image1), TMouseButton::mbRight);
  ASSERT_TRUE(Page().PopupMenu1->Showing());
  Type('C');
  EXPECT_FALSE(Page().PopupMenu1->Showing());
  EXPECT_TRUE(SamePictures());
  ClickAt(MiddleOf(*Page().Image1), TMouseButton::mbRight);
  Type('L');
  EXPECT_EQ(Pixel(*Page().Image1, 5, 5), 0xFFFFFFu);
  // Shortcuts work without the menu, but not from another page.
  ShowPage("Drives");
  Type('D', ssCtrl);
  ShowPage("Image");
  EXPECT_EQ(Pixel(*Page().Image1, 5, 5), 0xFFFFFFu);
  Type('D', ssCtrl);
  EXPECT_EQ(Pixel(*Page().Image1, 10, Page().Image1->Height() / 2), ColorToPixel(clTeal));
}

}  // namespace
