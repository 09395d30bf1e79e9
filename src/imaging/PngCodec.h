#pragma once
#include <string>

#include "ImageCodec.h"

// PNG through libpng: every colour type and depth; transparency is composed over black.
// Writes 8-bit RGB.
class TPngCodec : public TImageCodec {
 public:
  std::unique_ptr<TBitmap> Decode(TByteSpan data, const TDecodeOptions& options) const override;
  TBytes Encode(const TBitmap& bitmap, const TEncodeOptions& options) const override;
};

// Writes a 24- or 32-bit bitmap as a PNG file, whatever its name; raises EFCreateError when
// the file cannot be created and EWriteError when writing fails.
void SavePng(const TBitmap& bitmap, const std::string& fileName);
