#include "CodecSupport.h"

#include "framework/graphics/Bitmap.h"

void CheckDimensions(std::int64_t width, std::int64_t height, const TImageLimits& limits) {
  if (width <= 0 || height <= 0)
    throw EImageFormat("the picture has no pixels (" + std::to_string(width) + "x" + std::to_string(height) + ")");
  if (width > limits.MaxSide || height > limits.MaxSide || width * height > limits.MaxPixels)
    throw EImageFormat("a picture of " + std::to_string(width) + "x" + std::to_string(height) +
                       " pixels is larger than allowed");
}

std::unique_ptr<TBitmap> NewPicture(std::int64_t width, std::int64_t height, const TImageLimits& limits, int pixelBits,
                                    TNewPixels pixels) {
  CheckDimensions(width, height, limits);
  return std::make_unique<TBitmap>(static_cast<int>(width), static_cast<int>(height), pixelBits, pixels);
}

void TRowProgress::Rows(int done) {
  if (!FCallback || FRows <= 0) return;
  const int percent = static_cast<int>(std::int64_t{done} * 100 / FRows);
  if (percent == FLastPercent) return;
  FLastPercent = percent;
  FCallback(percent);
}

const std::uint8_t* BgrRow(const TBitmap& bitmap, int y, std::uint8_t* scratch) {
  const std::uint8_t* row = bitmap.Row(y);
  if (bitmap.PixelBits() == 24) return row;
  CopyRowConverted(row, 32, scratch, 24, bitmap.Width());
  return scratch;
}

void DecodeIndexedRow(const std::uint8_t* in, int bits, int width, const std::uint32_t* palette, std::uint8_t* out) {
  if (bits == 8) {
    for (int x = 0; x < width; ++x) StorePixel(out + 3 * x, palette[in[x]]);
    return;
  }
  const int perByte = 8 / bits;
  const unsigned mask = (1u << bits) - 1;
  for (int x = 0; x < width; ++x) {
    const int shift = 8 - bits * (x % perByte + 1);
    StorePixel(out + 3 * x, palette[(in[x / perByte] >> shift) & mask]);
  }
}

std::size_t TByteReader::Need(std::size_t count) const {
  if (count > Remaining()) throw EImageFormat("truncated file");
  return count;
}

void TByteReader::Seek(std::size_t position) {
  if (position > FData.size()) throw EImageFormat("truncated file");
  FPos = position;
}

const std::uint8_t* TByteReader::Take(std::size_t count) {
  const std::uint8_t* p = FData.data() + FPos;
  FPos += Need(count);
  return p;
}
