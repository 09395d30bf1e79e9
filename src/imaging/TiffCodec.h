#pragma once
#include "ImageCodec.h"

// TIFF through libtiff: the first page, in strips or tiles, 1 to 16 bits per sample, palette,
// greyscale, RGB(A), CMYK and YCbCr; transparency is composed over black. Writes 8-bit RGB,
// LZW-compressed with the horizontal predictor.
class TTiffCodec : public TImageCodec {
 public:
  std::unique_ptr<TBitmap> Decode(TByteSpan data, const TDecodeOptions& options) const override;
  TBytes Encode(const TBitmap& bitmap, const TEncodeOptions& options) const override;
};
