#pragma once
#include "ImageCodec.h"

// JPEG through libjpeg-turbo: baseline and progressive, greyscale, colour and CMYK, decoded
// straight into the picture's B, G, R rows. Writes at the quality the options give.
class TJpegCodec : public TImageCodec {
 public:
  std::unique_ptr<TBitmap> Decode(TByteSpan data, const TDecodeOptions& options) const override;
  TBytes Encode(const TBitmap& bitmap, const TEncodeOptions& options) const override;
};
