#include <gtest/gtest.h>

#include "components/VekImage.h"

namespace {

class VekImage : public ::testing::Test {
 protected:
  VekImage() {
    Image.SetHeightWidth(4, 6);
    Image.PixelOpen();
  }
  std::uint32_t At(int x, int y) { return Image.Picture().Bitmap().Row32(y)[x]; }

  TVekImage Image{nullptr};
};

TEST(VekImageNew, Is105SquareWithAnEmptyPicture) {
  TVekImage image(nullptr);
  EXPECT_EQ(image.Width(), 105);
  EXPECT_EQ(image.Height(), 105);
  EXPECT_TRUE(image.Picture().Empty());
  EXPECT_EQ(image.Row(), 0);
}

TEST_F(VekImage, PixelSetStoresBlueGreenRedZero) {
  Image.PixelSet(1, RGB(10, 20, 30));
  EXPECT_EQ(At(1, 0), 0x000A141Eu);
  Image.PixelSet(2, 3, static_cast<TColor>(0x7F0A141E));  // top byte dropped
  EXPECT_EQ(At(2, 3), 0x001E140Au);
}

TEST_F(VekImage, WritesOutsideTheBitmapAreIgnored) {
  Image.PixelRowSet(4);
  Image.PixelSet(0, clWhite);
  Image.PixelSet(-1, 0, clWhite);
  Image.PixelSet(6, 0, clWhite);
  Image.PixelSet(0, -1, clWhite);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(At(x, y), 0u);
  EXPECT_EQ(Image.Row(), 4);
}

TEST_F(VekImage, TwoCoordinateWriteMovesTheRowButNotItsIndex) {
  Image.PixelRowSet(1);
  Image.PixelSet(0, 3, clRed);
  Image.PixelSet(5, clBlue);  // lands in row 3; bounds still checked against row 1
  EXPECT_EQ(At(5, 3), ColorToPixel(clBlue));
  EXPECT_EQ(At(5, 1), 0u);
  EXPECT_EQ(Image.Row(), 1);
}

TEST_F(VekImage, ARowFetchedBeforeAResizeIsNeverWrittenThrough) {
  Image.PixelRowSet(2);
  Image.SetHeightWidth(8, 8);
  Image.PixelSet(1, clRed);  // stale row: ignored
  EXPECT_EQ(At(1, 2), 0u);
  Image.PixelRowSet(2);
  Image.PixelSet(1, clRed);
  EXPECT_EQ(At(1, 2), ColorToPixel(clRed));
}

TEST(VekImageNew, SingleCoordinateWriteBeforeAnyRowIsIgnored) {
  TVekImage image(nullptr);
  image.SetHeightWidth(2, 2);
  image.PixelSet(0, clRed);
  EXPECT_EQ(image.Picture().Bitmap().Row32(0)[0], 0u);
}

TEST_F(VekImage, SizesOfZeroOrLessAreIgnoredOneDimensionAtATime) {
  Image.SetHeightWidth(0, 50);
  EXPECT_EQ(Image.Height(), 4);
  EXPECT_EQ(Image.Width(), 50);
  EXPECT_EQ(Image.Picture().Bitmap().Width(), 50);
  Image.SetHeightWidth(9, -3);
  EXPECT_EQ(Image.Height(), 9);
  EXPECT_EQ(Image.Width(), 50);
}

TEST_F(VekImage, ResizeBringsTheBitmapToTheControlSize) {
  Image.SetBounds(0, 0, 12, 7);
  EXPECT_EQ(Image.Picture().Bitmap().Width(), 6);
  Image.Resize();
  EXPECT_EQ(Image.Picture().Bitmap().Width(), 12);
  EXPECT_EQ(Image.Picture().Bitmap().Height(), 7);
}

}  // namespace
