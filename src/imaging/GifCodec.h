#pragma once
#include "ImageCodec.h"

// GIF through giflib: the first frame composed on its logical screen over black (through its
// transparency too), interlaced or not, with a local or the global palette. Writes a picture of at most 256 colours
// without loss and quantises any other one to 256 colours with giflib's quantiser.
class TGifCodec : public TImageCodec {
 public:
  std::unique_ptr<TBitmap> Decode(TByteSpan data, const TDecodeOptions& options) const override;
  TBytes Encode(const TBitmap& bitmap, const TEncodeOptions& options) const override;
};
