#include "PixelWriter.h"

#include <algorithm>
#include <vector>

namespace {

constexpr TPixel ApplyPixelOp(TPixel destination, TPixel source, TPixelOp op) {
  switch (op) {
    case TPixelOp::Copy: return source;
    case TPixelOp::Invert: return destination ^ 0xFFFFFFu;
    case TPixelOp::Xor: return destination ^ source;
    case TPixelOp::NotXor: return destination ^ source ^ 0xFFFFFFu;
    case TPixelOp::Or: return destination | source;
    case TPixelOp::And: return destination & source;
  }
  return source;
}

template <TPixelOp Op, typename NextSource>
void CombineRow32As(std::uint32_t* row, int count, NextSource next) {
  for (int i = 0; i < count; ++i) row[i] = ApplyPixelOp(row[i], next(i), Op);
}

// Combines `count` source words into a 32-bit destination row; the operation is chosen once per
// row, not per pixel.
template <typename NextSource>
void CombineRow32(std::uint32_t* row, int count, TPixelOp op, NextSource next) {
  switch (op) {
    case TPixelOp::Copy: return CombineRow32As<TPixelOp::Copy>(row, count, next);
    case TPixelOp::Invert: return CombineRow32As<TPixelOp::Invert>(row, count, next);
    case TPixelOp::Xor: return CombineRow32As<TPixelOp::Xor>(row, count, next);
    case TPixelOp::NotXor: return CombineRow32As<TPixelOp::NotXor>(row, count, next);
    case TPixelOp::Or: return CombineRow32As<TPixelOp::Or>(row, count, next);
    case TPixelOp::And: return CombineRow32As<TPixelOp::And>(row, count, next);
  }
}

// The same on a row of three-byte pixels.
template <typename NextSource>
void CombineRow24(std::uint8_t* row, int count, TPixelOp op, NextSource next) {
  for (int i = 0; i < count; ++i, row += 3) {
    const TPixel destination = row[0] | (row[1] << 8) | (row[2] << 16);
    const TPixel result = ApplyPixelOp(destination, next(i), op);
    row[0] = result & 0xFF;
    row[1] = (result >> 8) & 0xFF;
    row[2] = (result >> 16) & 0xFF;
  }
}

// Combines `count` source words into row y of the bitmap from column x on, in its format.
template <typename NextSource>
void CombineInto(TBitmap& bitmap, int y, int x, int count, TPixelOp op, NextSource next) {
  if (bitmap.PixelBits() == 32) CombineRow32(bitmap.Row32(y) + x, count, op, next);
  else CombineRow24(bitmap.Row(y) + 3 * x, count, op, next);
}

}  // namespace

TPixelWriter::TPixelWriter(TBitmap& bitmap, const TRect& area)
    : FBitmap(bitmap), FArea(area.Intersect({0, 0, bitmap.Width(), bitmap.Height()})) {}

void TPixelWriter::Span(int y, int x1, int x2, TPixel pixel, TPixelOp op) {
  if (y < FArea.Top || y >= FArea.Bottom) return;
  x1 = std::max(x1, FArea.Left);
  x2 = std::min(x2, FArea.Right);
  if (x1 >= x2) return;
  if (FBitmap.PixelBits() == 32 && op == TPixelOp::Copy) {
    std::fill(FBitmap.Row32(y) + x1, FBitmap.Row32(y) + x2, pixel);
    return;
  }
  CombineInto(FBitmap, y, x1, x2 - x1, op, [pixel](int) { return pixel; });
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
  for (int row = to.Top; row < to.Bottom; ++row) {
    const int sourceRow = row - dy, sourceColumn = to.Left - dx;
    if (source.PixelBits() == 32) {
      const std::uint32_t* in = source.Row32(sourceRow) + sourceColumn;
      CombineInto(FBitmap, row, to.Left, to.Width(), op, [in](int i) { return in[i]; });
      continue;
    }
    const std::uint8_t* in = source.Row(sourceRow) + 3 * sourceColumn;
    CombineInto(FBitmap, row, to.Left, to.Width(), op, [in](int i) {
      const std::uint8_t* p = in + 3 * i;
      return static_cast<TPixel>(p[0] | (p[1] << 8) | (p[2] << 16));
    });
  }
}

void TPixelWriter::StretchBlit(const TRect& dest, const TBitmap& source, const TRect& sourceRect, TPixelOp op) {
  const TRect from = sourceRect.Intersect({0, 0, source.Width(), source.Height()});
  const TRect to = dest.Intersect(FArea);
  if (to.IsEmpty() || from.IsEmpty()) return;
  // The source pixel under the centre of destination pixel i, (i + 1/2) * size / extent;
  // 0 <= i < extent < 2^32 and size < 2^31, so the product fits 64 unsigned bits.
  const auto sourceOf = [](long long i, int size, long long extent) {
    const auto twice = static_cast<unsigned long long>(2 * i + 1);
    return static_cast<int>(twice * static_cast<unsigned long long>(size) /
                            static_cast<unsigned long long>(2 * extent));
  };
  const long long width = static_cast<long long>(dest.Right) - dest.Left;
  const long long height = static_cast<long long>(dest.Bottom) - dest.Top;
  // The same source column serves every row.
  const long long first = to.Left - static_cast<long long>(dest.Left);
  std::vector<int> columns(static_cast<std::size_t>(to.Width()));
  for (std::size_t i = 0; i < columns.size(); ++i)
    columns[i] = from.Left + sourceOf(first + static_cast<long long>(i), from.Width(), width);
  for (int row = to.Top; row < to.Bottom; ++row) {
    const int sourceRow = from.Top + sourceOf(row - static_cast<long long>(dest.Top), from.Height(), height);
    CombineInto(FBitmap, row, to.Left, to.Width(), op,
                [&](int i) { return source.PixelAt(columns[static_cast<std::size_t>(i)], sourceRow); });
  }
}

namespace {

// Where the centre of destination pixel i falls between two source pixels of [first, end):
// the nearer-left one and the weight (0 ... 256) of the one after it.
struct TSample {
  int At = 0;
  int Next = 0;
  int Weight = 0;
};

TSample SampleOf(long long i, int first, int end, double ratio) {
  const double centre = std::clamp((static_cast<double>(i) + 0.5) * ratio - 0.5 + first, double(first), end - 1.0);
  const int at = static_cast<int>(centre);
  return {at, std::min(at + 1, end - 1), static_cast<int>((centre - at) * 256 + 0.5)};
}

TPixel Blend(TPixel a, TPixel b, int weight) {
  TPixel result = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int ca = static_cast<int>((a >> shift) & 0xFF), cb = static_cast<int>((b >> shift) & 0xFF);
    result |= static_cast<TPixel>((ca * (256 - weight) + cb * weight + 128) >> 8) << shift;
  }
  return result;
}

}  // namespace

void TPixelWriter::SmoothStretchBlit(const TRect& dest, const TBitmap& source, const TRect& sourceRect) {
  const TRect from = sourceRect.Intersect({0, 0, source.Width(), source.Height()});
  const TRect to = dest.Intersect(FArea);
  if (to.IsEmpty() || from.IsEmpty()) return;
  const double ratioX = double(from.Width()) / dest.Width(), ratioY = double(from.Height()) / dest.Height();
  std::vector<TSample> columns(static_cast<std::size_t>(to.Width()));
  for (std::size_t i = 0; i < columns.size(); ++i)
    columns[i] = SampleOf(to.Left - static_cast<long long>(dest.Left) + static_cast<long long>(i), from.Left,
                          from.Right, ratioX);
  for (int row = to.Top; row < to.Bottom; ++row) {
    const TSample rows = SampleOf(row - static_cast<long long>(dest.Top), from.Top, from.Bottom, ratioY);
    CombineInto(FBitmap, row, to.Left, to.Width(), TPixelOp::Copy, [&](int i) {
      const TSample& c = columns[static_cast<std::size_t>(i)];
      return Blend(Blend(source.PixelAt(c.At, rows.At), source.PixelAt(c.Next, rows.At), c.Weight),
                   Blend(source.PixelAt(c.At, rows.Next), source.PixelAt(c.Next, rows.Next), c.Weight), rows.Weight);
    });
  }
}
