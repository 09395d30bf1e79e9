#include "DibPixels.h"

#include <bit>

#include "framework/graphics/Bitmap.h"

namespace {

// One channel of a bit-field pixel, widened to 8 bits by repeating its bits (5-bit 10110
// becomes 10110101), so that full scale stays full scale.
class TMaskChannel {
 public:
  explicit TMaskChannel(std::uint32_t mask) {
    if (mask == 0) return;
    FShift = std::countr_zero(mask);
    FMax = mask >> FShift;
    // Only the low contiguous run of bits counts; masks with holes are not worth more.
    FBits = std::countr_one(FMax);
    FMax = FBits == 32 ? ~0u : (1u << FBits) - 1;
  }
  std::uint8_t operator()(std::uint32_t pixel) const {
    if (FMax == 0) return 0;
    const std::uint32_t v = (pixel >> FShift) & FMax;
    if (FBits >= 8) return static_cast<std::uint8_t>(v >> (FBits - 8));
    std::uint32_t wide = v << (8 - FBits);
    for (int filled = FBits; filled < 8; filled += FBits) wide |= wide >> FBits;
    return static_cast<std::uint8_t>(wide);
  }

 private:
  int FBits = 0;
  int FShift = 0;
  std::uint32_t FMax = 0;
};

void DecodeMaskedRow(const std::uint8_t* in, int bytesPerPixel, int width, const TMaskChannel (&channels)[3],
                     std::uint8_t* out) {
  for (int x = 0; x < width; ++x, in += bytesPerPixel, out += 3) {
    std::uint32_t pixel = in[0] | (in[1] << 8);
    if (bytesPerPixel == 4) pixel |= (in[2] << 16) | (static_cast<std::uint32_t>(in[3]) << 24);
    out[0] = channels[2](pixel);
    out[1] = channels[1](pixel);
    out[2] = channels[0](pixel);
  }
}

bool IsPlainBgrx(const TDibHeader& h) {
  return h.BitsPerPixel == 32 && h.Masks[0] == 0xFF0000 && h.Masks[1] == 0xFF00 && h.Masks[2] == 0xFF;
}

void DecodeRow(const TDibHeader& h, const std::uint8_t* in, std::uint8_t* out, const TMaskChannel (&channels)[3]) {
  const int width = static_cast<int>(h.Width);
  if (h.BitsPerPixel <= 8) {
    DecodeIndexedRow(in, h.BitsPerPixel, width, h.Palette.data(), out);
  } else if (h.BitsPerPixel == 24) {
    std::memcpy(out, in, static_cast<std::size_t>(width) * 3);
  } else if (IsPlainBgrx(h)) {
    CopyRowConverted(in, 32, out, 24, width);
  } else {
    DecodeMaskedRow(in, h.BitsPerPixel / 8, width, channels, out);
  }
}

void DecodeUncompressed(const TDibHeader& h, TByteSpan bits, TBitmap& picture, TRowProgress& progress) {
  const std::size_t stride = h.Stride();
  const int height = static_cast<int>(h.Height);
  // The last row may lack its padding; its pixels must be there.
  const std::size_t rowBytes = (static_cast<std::size_t>(h.Width) * h.BitsPerPixel + 7) / 8;
  if (bits.size() < stride * (height - 1) + rowBytes) throw EImageFormat("truncated file");
  const TMaskChannel channels[3] = {TMaskChannel(h.Masks[0]), TMaskChannel(h.Masks[1]), TMaskChannel(h.Masks[2])};
  for (int row = 0; row < height; ++row) {
    const int y = h.TopDown ? row : height - 1 - row;
    DecodeRow(h, bits.data() + stride * row, picture.Row(y), channels);
    progress.Rows(row + 1);
  }
}

// Run-length data: pairs (count, index) and escapes (end of line, end of picture, a jump,
// a literal run padded to 16 bits). Rows count from the bottom.
class TRleDecoder {
 public:
  TRleDecoder(const TDibHeader& h, TByteSpan bits, TBitmap& picture, TRowProgress& progress)
      : FHeader(h), FIn(bits), FPicture(picture), FProgress(progress), FNibbles(h.Compression == TDibHeader::Rle4) {}

  void Run() {
    while (FRow < FHeader.Height) {
      const std::uint8_t count = FIn.U8();
      const std::uint8_t value = FIn.U8();
      if (count > 0) {
        for (int i = 0; i < count; ++i) Put(FNibbles ? (i % 2 == 0 ? value >> 4 : value & 15) : value);
      } else if (value == 0) {
        NextRow();
      } else if (value == 1) {
        return;
      } else if (value == 2) {
        FX += FIn.U8();
        for (int dy = FIn.U8(); dy > 0 && FRow < FHeader.Height; --dy) NextRow(FX);
      } else {
        Literal(value);
      }
    }
  }

 private:
  void Literal(int count) {
    const std::size_t bytes = FNibbles ? (count + 1) / 2 : count;
    const std::uint8_t* p = FIn.Take(bytes);
    for (int i = 0; i < count; ++i) Put(FNibbles ? (i % 2 == 0 ? p[i / 2] >> 4 : p[i / 2] & 15) : p[i]);
    if (bytes % 2) FIn.Skip(1);
  }
  void Put(int index) {
    if (FX < FHeader.Width && FRow < FHeader.Height)
      StorePixel(FPicture.Row(static_cast<int>(FHeader.Height - 1 - FRow)) + 3 * FX, FHeader.Palette[index]);
    ++FX;
  }
  void NextRow(std::int64_t x = 0) {
    ++FRow;
    FX = x;
    FProgress.Rows(static_cast<int>(FRow));
  }

  const TDibHeader& FHeader;
  TByteReader FIn;
  TBitmap& FPicture;
  TRowProgress& FProgress;
  bool FNibbles;
  std::int64_t FX = 0;
  std::int64_t FRow = 0;
};

}  // namespace

void DecodeDibPixels(const TDibHeader& header, TByteSpan bits, TBitmap& picture, TRowProgress& progress) {
  if (header.Compression == TDibHeader::Rle8 || header.Compression == TDibHeader::Rle4)
    TRleDecoder(header, bits, picture, progress).Run();
  else DecodeUncompressed(header, bits, picture, progress);
}
