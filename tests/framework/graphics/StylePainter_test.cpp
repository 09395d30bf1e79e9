#include <gtest/gtest.h>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/StylePainter.h"

namespace {

// Each pixel as a letter: W white, G grey (shadow), K black, L light, F face.
std::string Picture(const TBitmap& b) {
  std::string rows;
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) {
      switch (b.PixelAt(x, y)) {
        case 0xFFFFFF: rows += 'W'; break;
        case 0x808080: rows += 'G'; break;
        case 0x000000: rows += 'K'; break;
        case 0xDFDFDF: rows += 'L'; break;
        case 0xC0C0C0: rows += 'F'; break;
        default: rows += '?';
      }
    }
    rows += '\n';
  }
  return rows;
}

void PaintFace(TBitmap& b) {
  b.Canvas().Brush.Color = clBtnFace;
  b.Canvas().FillRect({0, 0, b.Width(), b.Height()});
}

TEST(StylePainter, ARaisedFrameIsLightAboveLeftAndShadowedBelowRight) {
  TBitmap b(4, 3);
  PaintFace(b);
  const TRect inner = TStylePainter::DrawFrame(b.Canvas(), {0, 0, 4, 3}, TFrameStyle::Raised);
  EXPECT_EQ(Picture(b), "WWWG\nWFFG\nGGGG\n");
  EXPECT_EQ(inner, (TRect{1, 1, 3, 2}));
}

TEST(StylePainter, AButtonHasTwoRingsAndAHeldButtonTurnsThemOver) {
  TBitmap up(5, 5);
  PaintFace(up);
  TStylePainter::DrawFrame(up.Canvas(), {0, 0, 5, 5}, TFrameStyle::ButtonUp);
  EXPECT_EQ(Picture(up), "WWWWK\nWLLGK\nWLFGK\nWGGGK\nKKKKK\n");
  TBitmap down(5, 5);
  PaintFace(down);
  TStylePainter::DrawFrame(down.Canvas(), {0, 0, 5, 5}, TFrameStyle::ButtonDown);
  EXPECT_EQ(Picture(down), "KKKKW\nKGGLW\nKGFLW\nKLLLW\nWWWWW\n");
}

TEST(StylePainter, InnerRectsFollowTheRingCountOfEachStyle) {
  const TRect box{10, 10, 30, 20};
  EXPECT_EQ(TStylePainter::InnerRect(box, TFrameStyle::Sunken), (TRect{11, 11, 29, 19}));
  EXPECT_EQ(TStylePainter::InnerRect(box, TFrameStyle::Field), (TRect{12, 12, 28, 18}));
  EXPECT_EQ(TStylePainter::InnerRect(box, TFrameStyle::DefaultButton), (TRect{13, 13, 27, 17}));
}

}  // namespace
