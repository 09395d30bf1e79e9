#pragma once
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "ImageCodec.h"
#include "framework/graphics/Bitmap.h"

// Helpers that every codec shares: limits, progress, bounds-checked reading of file bytes.

// Raises EImageFormat unless a picture of width x height fits the limits.
void CheckDimensions(std::int64_t width, std::int64_t height, const TImageLimits& limits);

// A new picture (24 bits per pixel unless asked otherwise), after CheckDimensions: black, unless
// its maker writes every pixel.
std::unique_ptr<TBitmap> NewPicture(std::int64_t width, std::int64_t height, const TImageLimits& limits,
                                    int pixelBits = 24, TNewPixels pixels = TNewPixels::Black);

// Raises the percent callback as rows come in, once for each whole percent.
class TRowProgress {
 public:
  TRowProgress(const TPercentCallback& callback, int rows) : FCallback(callback), FRows(rows) {}
  void Rows(int done);

 private:
  const TPercentCallback& FCallback;
  int FRows;
  int FLastPercent = -1;
};

// The B, G, R bytes of one row of a 24- or 32-bit bitmap: the row itself when it is 24-bit,
// else converted into `scratch` (3 bytes per pixel).
const std::uint8_t* BgrRow(const TBitmap& bitmap, int y, std::uint8_t* scratch);

// A pixel word (B, G, R from the low byte up) as the three bytes of a 24-bit row.
inline void StorePixel(std::uint8_t* out, std::uint32_t pixel) {
  out[0] = static_cast<std::uint8_t>(pixel);
  out[1] = static_cast<std::uint8_t>(pixel >> 8);
  out[2] = static_cast<std::uint8_t>(pixel >> 16);
}

// A row of 1-, 2-, 4- or 8-bit palette indexes, the highest bits of a byte first, as 24-bit
// pixels. The palette holds an entry for every index the bits can spell.
void DecodeIndexedRow(const std::uint8_t* in, int bits, int width, const std::uint32_t* palette, std::uint8_t* out);

// Little-endian reads from file bytes; running past the end raises "truncated file".
class TByteReader {
 public:
  explicit TByteReader(TByteSpan data) : FData(data) {}

  std::size_t Position() const { return FPos; }
  std::size_t Remaining() const { return FData.size() - FPos; }
  std::size_t Size() const { return FData.size(); }
  void Seek(std::size_t position);
  void Skip(std::size_t count) { Seek(FPos + Need(count)); }
  // The next `count` bytes, consumed.
  const std::uint8_t* Take(std::size_t count);

  std::uint8_t U8() { return *Take(1); }
  std::uint16_t U16() {
    const std::uint8_t* p = Take(2);
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
  }
  std::uint32_t U32() {
    const std::uint8_t* p = Take(4);
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
  }
  std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
  std::int16_t I16() { return static_cast<std::int16_t>(U16()); }

 private:
  std::size_t Need(std::size_t count) const;

  TByteSpan FData;
  std::size_t FPos = 0;
};

// Little-endian writes onto the end of a byte vector.
class TByteWriter {
 public:
  explicit TByteWriter(TBytes& out) : FOut(out) {}
  void U8(std::uint8_t v) { FOut.push_back(v); }
  void U16(std::uint16_t v) {
    U8(static_cast<std::uint8_t>(v));
    U8(static_cast<std::uint8_t>(v >> 8));
  }
  void U32(std::uint32_t v) {
    U16(static_cast<std::uint16_t>(v));
    U16(static_cast<std::uint16_t>(v >> 16));
  }
  void Bytes(const void* data, std::size_t count) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    FOut.insert(FOut.end(), p, p + count);
  }
  void Zeros(std::size_t count) { FOut.insert(FOut.end(), count, 0); }

 private:
  TBytes& FOut;
};
