#include "DibHeader.h"

#include "CodecSupport.h"

namespace {

constexpr std::uint32_t CoreHeaderBytes = 12;
constexpr std::uint32_t InfoHeaderBytes = 40;

// Masks of the pixel formats that carry none: 5-5-5 for 16 bits, 8-8-8 for 32.
std::array<std::uint32_t, 3> DefaultMasks(int bits) {
  if (bits == 16) return {0x7C00, 0x03E0, 0x001F};
  return {0xFF0000, 0x00FF00, 0x0000FF};
}

void CheckFormat(const TDibHeader& h) {
  switch (h.Compression) {
    case TDibHeader::Rgb:
      if (h.BitsPerPixel != 1 && h.BitsPerPixel != 4 && h.BitsPerPixel != 8 && h.BitsPerPixel != 16 &&
          h.BitsPerPixel != 24 && h.BitsPerPixel != 32)
        throw EImageFormat(std::to_string(h.BitsPerPixel) + " bits per pixel are not supported");
      break;
    case TDibHeader::Rle8:
    case TDibHeader::Rle4:
      if (h.BitsPerPixel != (h.Compression == TDibHeader::Rle8 ? 8 : 4))
        throw EImageFormat("run-length compression does not match the bits per pixel");
      if (h.TopDown) throw EImageFormat("a run-length compressed bitmap cannot be top-down");
      break;
    case TDibHeader::BitFields:
    case TDibHeader::AlphaBitFields:
      if (h.BitsPerPixel != 16 && h.BitsPerPixel != 32)
        throw EImageFormat("bit-field masks need 16 or 32 bits per pixel");
      break;
    default: throw EImageFormat("compression " + std::to_string(h.Compression) + " is not supported");
  }
}

void ReadPalette(TByteReader& in, TDibHeader& h, std::uint32_t colorsUsed, bool core) {
  h.Palette.assign(256, 0);
  const std::size_t entry = core ? 3 : 4;
  if (h.BitsPerPixel > 8) {
    // A palette beside true-colour pixels only hints at a display; it is stepped over.
    if (colorsUsed <= in.Remaining() / entry) in.Skip(colorsUsed * entry);
    return;
  }
  const std::uint32_t maxColors = 1u << h.BitsPerPixel;
  const std::uint32_t count = colorsUsed == 0 || colorsUsed > maxColors ? maxColors : colorsUsed;
  // A palette cut short by the end of the data is a broken file, not a short palette.
  const std::uint8_t* p = in.Take(count * entry);
  for (std::uint32_t i = 0; i < count; ++i, p += entry) h.Palette[i] = p[0] | (p[1] << 8) | (p[2] << 16);
}

}  // namespace

TDibHeader ReadDibHeader(TByteSpan info) {
  TByteReader in(info);
  TDibHeader h;
  const std::uint32_t headerBytes = in.U32();
  const bool core = headerBytes == CoreHeaderBytes;
  std::uint32_t colorsUsed = 0;
  if (core) {
    h.Width = in.U16();
    h.Height = in.U16();
    in.U16();  // planes
    h.BitsPerPixel = in.U16();
  } else {
    if (headerBytes < InfoHeaderBytes || headerBytes > 1024)
      throw EImageFormat("unknown bitmap header of " + std::to_string(headerBytes) + " bytes");
    h.Width = in.I32();
    const std::int32_t height = in.I32();
    h.TopDown = height < 0;
    h.Height = h.TopDown ? -std::int64_t{height} : height;
    in.U16();  // planes
    h.BitsPerPixel = in.U16();
    h.Compression = in.U32();
    in.Skip(12);  // image size, resolution
    colorsUsed = in.U32();
  }
  CheckFormat(h);
  h.Masks = DefaultMasks(h.BitsPerPixel);
  const bool hasMasks = h.Compression == TDibHeader::BitFields || h.Compression == TDibHeader::AlphaBitFields;
  if (hasMasks) {
    // Version 2 and later headers hold the masks; the plain info header is followed by them.
    in.Seek(InfoHeaderBytes);
    for (std::uint32_t& mask : h.Masks) mask = in.U32();
    if (headerBytes == InfoHeaderBytes && h.Compression == TDibHeader::AlphaBitFields) in.U32();
  }
  if (headerBytes > InfoHeaderBytes || !hasMasks) in.Seek(headerBytes);
  ReadPalette(in, h, colorsUsed, core);
  h.InfoBytes = in.Position();
  return h;
}
