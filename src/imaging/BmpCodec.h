#pragma once
#include "ImageCodec.h"

// Windows bitmaps: 1, 4, 8, 16, 24 and 32 bits per pixel, RLE4 and RLE8, bit-field masks,
// bottom-up and top-down, core and info headers up to version 5. Writes 24-bit files.
class TBmpCodec : public TImageCodec {
 public:
  std::unique_ptr<TBitmap> Decode(TByteSpan data, const TDecodeOptions& options) const override;
  TBytes Encode(const TBitmap& bitmap, const TEncodeOptions& options) const override;
};

// A device-independent bitmap as metafiles embed it: the info block (header, masks, palette)
// and the pixel bits apart, or packed one after the other.
std::unique_ptr<TBitmap> DecodeDib(TByteSpan info, TByteSpan bits, const TDecodeOptions& options);
std::unique_ptr<TBitmap> DecodePackedDib(TByteSpan dib, const TDecodeOptions& options);
