#include <gtest/gtest.h>

#include "app/AppGlyphs.h"

namespace {

TEST(FlagGlyph, OnlyItsBottomLeftCornerHasTheColourThatButtonsLeaveTransparent) {
  for (const TFlag flag : {TFlag::UnionFlag, TFlag::Galician, TFlag::Spanish}) {
    const auto glyph = FlagGlyph(flag);
    ASSERT_EQ(glyph->Width(), 27);
    ASSERT_EQ(glyph->Height(), 16);
    const TPixel transparent = glyph->PixelAt(0, 15);
    int holes = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 27; ++x) holes += glyph->PixelAt(x, y) == transparent;
    EXPECT_EQ(holes, 1) << "flag " << static_cast<int>(flag);
  }
}

}  // namespace
