#pragma once
// What every picture reader's fuzz target does: decode the bytes under tight limits, so that
// an oversized allocation shows as a failure of the limits, and take a refusal as an answer.
#include <cstddef>
#include <cstdint>

#include "framework/graphics/Bitmap.h"
#include "imaging/ImageCodec.h"

inline int FuzzDecode(const TImageCodec& codec, const std::uint8_t* data, std::size_t size) {
  TDecodeOptions options;
  options.Limits.MaxSide = 8192;
  options.Limits.MaxPixels = std::int64_t{1} << 22;
  options.Limits.MaxCodecMemory = std::size_t{64} << 20;
  try {
    codec.Decode(TByteSpan(data, size), options);
  } catch (const Exception&) {
  }
  return 0;
}
