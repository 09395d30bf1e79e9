#include <gtest/gtest.h>

#include <memory>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/RotatedFont.h"
#include "support/BitmapPicture.h"

namespace {

constexpr int kSize = 120;
constexpr TPoint kAnchor{60, 60};

// Text drawn in white on black about the middle of a square bitmap.
struct RotatedText : ::testing::Test {
  static std::unique_ptr<TBitmap> Drawn(const TFont& font, const std::string& text, int escapement) {
    auto bitmap = std::make_unique<TBitmap>(kSize, kSize);
    TCanvas& canvas = bitmap->Canvas();
    canvas.Font = RotatedFont(font, escapement);
    canvas.Font.Color = clWhite;
    canvas.BkMode = TBkMode::Transparent;
    canvas.TextOut(kAnchor.X, kAnchor.Y, text);
    return bitmap;
  }

  // The picture turned counter-clockwise by quarter turns about the anchor, a pixel corner.
  static std::unique_ptr<TBitmap> TurnedAboutAnchor(const TBitmap& source, int quarters) {
    auto turned = std::make_unique<TBitmap>(kSize, kSize);
    for (int y = 0; y < kSize; ++y)
      for (int x = 0; x < kSize; ++x) {
        int dx = x - kAnchor.X, dy = y - kAnchor.Y;
        for (int q = 0; q < quarters; ++q) {
          const int t = dx;
          dx = dy;
          dy = -t - 1;
        }
        const int tx = kAnchor.X + dx, ty = kAnchor.Y + dy;
        if (tx >= 0 && ty >= 0 && tx < kSize && ty < kSize) turned->SetPixelAt(tx, ty, source.PixelAt(x, y));
      }
    return turned;
  }

  static std::string Picture(const TBitmap& bitmap) { return BitmapPicture(bitmap, {{clBlack, '.'}, {clWhite, '#'}}); }
};

TEST_F(RotatedText, RightAnglesTurnTheUprightGlyphsExactly) {
  struct Case {
    const char* Face;
    int Height;
    TFontStyles Style;
  };
  const Case cases[] = {
      {"MS Sans Serif", -13, 0},
      {"Times New Roman", -19, static_cast<TFontStyles>(TFontStyle::fsBold)},
      {"MS Sans Serif", -16, TFontStyle::fsItalic | TFontStyle::fsUnderline},
      {"DejaVu Sans Mono", -11, TFontStyle::fsBold | TFontStyle::fsStrikeOut},
  };
  for (const Case& c : cases) {
    TFont font;
    font.Name = c.Face;
    font.Height = c.Height;
    font.Style = c.Style;
    const auto upright = Drawn(font, "Qg@,j", 0);
    for (int quarters = 1; quarters <= 3; ++quarters)
      EXPECT_EQ(Picture(*Drawn(font, "Qg@,j", quarters * 900)), Picture(*TurnedAboutAnchor(*upright, quarters)))
          << c.Face << " " << c.Height << " at " << quarters * 90;
  }
}

}  // namespace
