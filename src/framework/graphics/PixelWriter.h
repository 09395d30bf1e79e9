#pragma once
#include <cstdint>

#include "Bitmap.h"
#include "framework/base/Types.h"

// How a drawn pixel word meets the one already in the bitmap.
enum class TPixelOp : std::uint8_t { Copy, Invert, Xor, NotXor, Or, And };

// Writes runs of pixels and whole bitmaps into a bitmap of either format, inside one area
// (the canvas's clip region within the bitmap). 32-bit rows are written through row pointers.
class TPixelWriter {
 public:
  TPixelWriter(TBitmap& bitmap, const TRect& area);

  const TRect& Area() const { return FArea; }

  // Pixels x1 .. x2-1 of row y, combined with `pixel` by `op`.
  void Span(int y, int x1, int x2, TPixel pixel, TPixelOp op);
  // The part sourceRect of source with its top-left corner at (x, y). The source may be the
  // target bitmap itself.
  void Blit(int x, int y, const TBitmap& source, const TRect& sourceRect, TPixelOp op);
  // The part `from` of source (not the target bitmap) scaled to fill dest: each pixel takes the
  // source pixel under its centre.
  void StretchBlit(const TRect& dest, const TBitmap& source, const TRect& from, TPixelOp op);
  // The same, each pixel blended from the four source pixels nearest its centre: a picture
  // shown at a fractional scale without jagged rows.
  void SmoothStretchBlit(const TRect& dest, const TBitmap& source, const TRect& from);

 private:
  TBitmap& FBitmap;
  TRect FArea;
};
