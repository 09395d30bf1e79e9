#include "ReferencePattern.h"

#include <cstdint>
#include <vector>

#include "engine/Quenbrel.h"
#include "engine/Truncation.h"
#include "framework/graphics/Bitmap.h"

void ReferencePaintSource(const TQuenbrel& engine, TBitmap& bitmap) {
  const int height = bitmap.Height();
  const int width = bitmap.Width();
  // A one-pixel-wide or -high surface has no divisor; its factor is 0.
  const auto fraction = [](int i, int n) {
    return n > 1 ? static_cast<long double>(std::int64_t{i} * 255) / (n - 1) : 0.0L;
  };
  std::vector<long double> columnCosine(width);  // cos(x) + 1
  std::vector<long double> columnFraction(width);
  for (int x = 0; x < width; ++x) {
    columnCosine[x] = static_cast<long double>(engine.CosDeg(x)) + 1;
    columnFraction[x] = fraction(x, width);
  }
  for (int y = 0; y < height; ++y) {
    const long double rowCosine = static_cast<long double>(engine.CosDeg(y)) + 1;
    const long double rowFraction = fraction(y, height);
    std::uint32_t* row = bitmap.Row32(y);
    for (int x = 0; x < width; ++x) {
      const std::int32_t p = TruncToInt(columnCosine[x] * rowFraction);
      const std::int32_t q = TruncToInt(rowCosine * columnFraction[x]);
      row[x] = engine.PaletteColor(p + q);
    }
  }
}
