#include "BmpCodec.h"

#include "DibPixels.h"
#include "framework/graphics/Bitmap.h"

namespace {

constexpr std::size_t FileHeaderBytes = 14;
constexpr std::uint32_t InfoHeaderBytes = 40;

std::unique_ptr<TBitmap> DecodeWithHeader(const TDibHeader& header, TByteSpan bits, const TDecodeOptions& options) {
  auto picture = NewPicture(header.Width, header.Height, options.Limits);
  TRowProgress progress(options.Progress, static_cast<int>(header.Height));
  DecodeDibPixels(header, bits, *picture, progress);
  return picture;
}

}  // namespace

std::unique_ptr<TBitmap> DecodeDib(TByteSpan info, TByteSpan bits, const TDecodeOptions& options) {
  return DecodeWithHeader(ReadDibHeader(info), bits, options);
}

std::unique_ptr<TBitmap> DecodePackedDib(TByteSpan dib, const TDecodeOptions& options) {
  const TDibHeader header = ReadDibHeader(dib);
  return DecodeWithHeader(header, dib.subspan(header.InfoBytes), options);
}

std::unique_ptr<TBitmap> TBmpCodec::Decode(TByteSpan data, const TDecodeOptions& options) const {
  TByteReader in(data);
  if (in.U8() != 'B' || in.U8() != 'M') throw EImageFormat("not a Windows bitmap");
  in.Skip(8);  // file size and reserved words, which writers fill carelessly
  const std::uint32_t bitsOffset = in.U32();
  if (bitsOffset > data.size()) throw EImageFormat("truncated file");
  return DecodeDib(data.subspan(FileHeaderBytes), data.subspan(bitsOffset), options);
}

TBytes TBmpCodec::Encode(const TBitmap& bitmap, const TEncodeOptions&) const {
  const std::size_t stride = BitmapStride(bitmap.Width(), 24);
  const std::uint64_t pixelBytes = std::uint64_t{stride} * static_cast<std::uint64_t>(bitmap.Height());
  const std::uint64_t fileBytes = FileHeaderBytes + InfoHeaderBytes + pixelBytes;
  if (fileBytes > 0xFFFFFFFFu) throw EImageFormat("the picture is too large for a Windows bitmap");
  TBytes out;
  out.reserve(fileBytes);
  TByteWriter w(out);
  w.U8('B');
  w.U8('M');
  w.U32(static_cast<std::uint32_t>(fileBytes));
  w.U32(0);
  w.U32(FileHeaderBytes + InfoHeaderBytes);
  w.U32(InfoHeaderBytes);
  w.U32(static_cast<std::uint32_t>(bitmap.Width()));
  w.U32(static_cast<std::uint32_t>(bitmap.Height()));  // positive: bottom-up, as every reader expects
  w.U16(1);
  w.U16(24);
  w.U32(0);  // uncompressed
  w.U32(static_cast<std::uint32_t>(pixelBytes));
  w.U32(3780);  // 96 pixels per inch, in pixels per metre
  w.U32(3780);
  w.U32(0);
  w.U32(0);
  out.resize(fileBytes);
  std::vector<std::uint8_t> scratch(stride);
  std::uint8_t* pixels = out.data() + FileHeaderBytes + InfoHeaderBytes;
  const std::size_t rowBytes = static_cast<std::size_t>(bitmap.Width()) * 3;
  for (int y = 0; y < bitmap.Height(); ++y)
    std::memcpy(pixels + stride * (bitmap.Height() - 1 - y), BgrRow(bitmap, y, scratch.data()), rowBytes);
  return out;
}
