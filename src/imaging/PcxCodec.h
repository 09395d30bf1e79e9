#pragma once
#include "ImageCodec.h"

// PCX pictures: 1 bit (one plane), 4 bits (four 1-bit planes or one 4-bit plane), 8 bits with
// a palette, 24 bits as three 8-bit planes (a fourth, alpha, is skipped); run-length coded or
// not. Writes 24-bit run-length coded files.
class TPcxCodec : public TImageCodec {
 public:
  std::unique_ptr<TBitmap> Decode(TByteSpan data, const TDecodeOptions& options) const override;
  TBytes Encode(const TBitmap& bitmap, const TEncodeOptions& options) const override;
};
