#include "PixelWriter.h"

#include <algorithm>

namespace {

// Combines `count` source words into a 32-bit destination row; the operation is chosen once per
// row, not per pixel.
template <typename NextSource>
void CombineRow32(std::uint32_t* row, int count, TPixelOp op, NextSource next) {
  auto each = [&](auto combine) {
    for (int i = 0; i < count; ++i) row[i] = combine(row[i], next(i));
  };
  switch (op) {
    case TPixelOp::Copy: return each([](TPixel, TPixel s) { return s; });
    case TPixelOp::Invert: return each([](TPixel d, TPixel) { return d ^ 0xFFFFFFu; });
    case TPixelOp::Xor: return each([](TPixel d, TPixel s) { return d ^ s; });
    case TPixelOp::NotXor: return each([](TPixel d, TPixel s) { return d ^ s ^ 0xFFFFFFu; });
    case TPixelOp::Or: return each([](TPixel d, TPixel s) { return d | s; });
    case TPixelOp::And: return each([](TPixel d, TPixel s) { return d & s; });
  }
}

}  // namespace

TPixelWriter::TPixelWriter(TBitmap& bitmap, const TRect& area)
    : FBitmap(bitmap), FArea(area.Intersect({0, 0, bitmap.Width(), bitmap.Height()})) {}

void TPixelWriter::Span(int y, int x1, int x2, TPixel pixel, TPixelOp op) {
  if (y < FArea.Top || y >= FArea.Bottom) return;
  x1 = std::max(x1, FArea.Left);
  x2 = std::min(x2, FArea.Right);
  if (x1 >= x2) return;
  if (FBitmap.PixelBits() == 32) {
    std::uint32_t* row = FBitmap.Row32(y) + x1;
    if (op == TPixelOp::Copy)
      std::fill(row, row + (x2 - x1), pixel);
    else
      CombineRow32(row, x2 - x1, op, [pixel](int) { return pixel; });
    return;
  }
  for (int x = x1; x < x2; ++x) FBitmap.SetPixelAt(x, y, ApplyPixelOp(FBitmap.PixelAt(x, y), pixel, op));
}

void TPixelWriter::Blit(int x, int y, const TBitmap& source, const TRect& sourceRect, TPixelOp op) {
  if (&source == &FBitmap) {
    // Reading and writing the same rows would smear overlapping copies.
    TBitmap snapshot;
    snapshot.Assign(source);
    Blit(x, y, snapshot, sourceRect, op);
    return;
  }
  const TRect from = sourceRect.Intersect({0, 0, source.Width(), source.Height()});
  if (from.IsEmpty()) return;
  const long long shiftX = static_cast<long long>(x) - sourceRect.Left;
  const long long shiftY = static_cast<long long>(y) - sourceRect.Top;
  const auto dx = static_cast<int>(std::clamp<long long>(shiftX, -(1LL << 30), 1LL << 30));
  const auto dy = static_cast<int>(std::clamp<long long>(shiftY, -(1LL << 30), 1LL << 30));
  const TRect to = from.Offset(dx, dy).Intersect(FArea);
  if (to.IsEmpty()) return;
  const bool fast = FBitmap.PixelBits() == 32 && source.PixelBits() == 32;
  for (int row = to.Top; row < to.Bottom; ++row) {
    const int sourceRow = row - dy;
    if (fast) {
      const std::uint32_t* in = source.Row32(sourceRow) + (to.Left - dx);
      CombineRow32(FBitmap.Row32(row) + to.Left, to.Width(), op, [in](int i) { return in[i]; });
      continue;
    }
    for (int column = to.Left; column < to.Right; ++column)
      FBitmap.SetPixelAt(column, row,
                         ApplyPixelOp(FBitmap.PixelAt(column, row), source.PixelAt(column - dx, sourceRow), op));
  }
}
