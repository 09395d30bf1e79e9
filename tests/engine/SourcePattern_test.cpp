// The fast source pattern must paint exactly what the pattern spelled out in extended
// precision paints, at every size.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/PaletteLookup.h"
#include "engine/Quenbrel.h"
#include "engine/ReferencePattern.h"
#include "engine/SourcePattern.h"
#include "framework/graphics/Bitmap.h"

namespace {

// Black and white make 255 different palette entries (entries 0 and 255 are always the same
// colour), so that a pixel differs wherever its palette index does.
class SourcePattern : public ::testing::Test {
 protected:
  TQuenbrel Engine{"/nonexistent/zzQuenbrel.ini"};

  void SetUp() override {
    Engine.Color1 = 0x000000;
    Engine.Color2 = 0xFFFFFF;
    Engine.MakePalette();
  }

  // Also, every index names its pixel's palette entry.
  ::testing::AssertionResult SameAsReference(int width, int height) {
    TBitmap fast(width, height), reference(width, height);
    const TPaletteLookup palette(Engine.PaletteWords());
    std::vector<std::uint8_t> indexes(static_cast<std::size_t>(width) * height);
    PaintSourcePattern(Engine, palette, fast, indexes.data());
    ReferencePaintSource(Engine, reference);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        if (palette.Entry(indexes[static_cast<std::size_t>(y) * width + x]) != fast.Row32(y)[x])
          return ::testing::AssertionFailure()
                 << "at " << width << "x" << height << " the index of (" << x << ", " << y << ") names another colour";
    for (int y = 0; y < height; ++y) {
      if (std::memcmp(fast.Row(y), reference.Row(y), static_cast<std::size_t>(width) * 4) == 0) continue;
      int x = 0;
      while (fast.Row32(y)[x] == reference.Row32(y)[x]) ++x;
      return ::testing::AssertionFailure() << "at " << width << "x" << height << " pixel (" << x << ", " << y << ") is "
                                           << fast.Row32(y)[x] << ", not " << reference.Row32(y)[x];
    }
    return ::testing::AssertionSuccess();
  }
};

TEST_F(SourcePattern, EverySizeUpTo64x64IsTheReferenceBitForBit) {
  for (int height = 1; height <= 64; ++height)
    for (int width = 1; width <= 64; ++width) ASSERT_TRUE(SameAsReference(width, height));
}

TEST_F(SourcePattern, ScreenSizesAreTheReferenceBitForBit) {
  for (const auto& [width, height] : {std::pair{1366, 768}, {1920, 1080}, {2560, 1440}, {3840, 2160}})
    EXPECT_TRUE(SameAsReference(width, height));
}

}  // namespace
