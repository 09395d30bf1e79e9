#include "PcxCodec.h"

#include <vector>

#include "CodecSupport.h"
#include "PcxRuns.h"
#include "PlanarPixels.h"
#include "framework/graphics/Bitmap.h"

namespace {

constexpr std::size_t HeaderBytes = 128;
constexpr std::size_t VgaPaletteBytes = 769;  // a 12 marker and 256 RGB entries

struct TPcxHeader {
  int Encoding = 1;
  int BitsPerPixel = 8;
  std::int64_t Width = 0;
  std::int64_t Height = 0;
  int Planes = 1;
  int BytesPerLine = 0;
  std::uint32_t Palette[256] = {};
};

std::uint32_t RgbToPixel(const std::uint8_t* rgb) { return (rgb[0] << 16) | (rgb[1] << 8) | rgb[2]; }

TPcxHeader ReadHeader(TByteReader& in) {
  TPcxHeader h;
  if (in.U8() != 0x0A) throw EImageFormat("not a PCX file");
  in.U8();  // version
  h.Encoding = in.U8();
  h.BitsPerPixel = in.U8();
  const int xMin = in.U16(), yMin = in.U16(), xMax = in.U16(), yMax = in.U16();
  h.Width = std::int64_t{xMax} - xMin + 1;
  h.Height = std::int64_t{yMax} - yMin + 1;
  in.Skip(4);  // resolution
  const std::uint8_t* egaPalette = in.Take(48);
  for (int i = 0; i < 16; ++i) h.Palette[i] = RgbToPixel(egaPalette + 3 * i);
  in.U8();
  h.Planes = in.U8();
  h.BytesPerLine = in.U16();
  in.Seek(HeaderBytes);
  if (h.Encoding > 1) throw EImageFormat("unknown PCX encoding " + std::to_string(h.Encoding));
  const int bits = h.BitsPerPixel * h.Planes;
  const bool known = (h.BitsPerPixel == 1 && h.Planes >= 1 && h.Planes <= 4) ||
                     (h.BitsPerPixel == 4 && h.Planes == 1) ||
                     (h.BitsPerPixel == 8 && (h.Planes == 1 || h.Planes == 3 || h.Planes == 4));
  if (!known)
    throw EImageFormat(std::to_string(h.BitsPerPixel) + " bits in " + std::to_string(h.Planes) +
                       " planes are not supported");
  if (h.Width > 0 && std::int64_t{h.BytesPerLine} * 8 < h.Width * h.BitsPerPixel)
    throw EImageFormat("the line length is shorter than the picture is wide");
  if (bits == 1) {
    h.Palette[0] = 0x000000;
    h.Palette[1] = 0xFFFFFF;
  }
  return h;
}

// The 256-colour palette at the end of the file, after its marker byte.
void ReadVgaPalette(TByteSpan data, TPcxHeader& h) {
  if (data.size() < HeaderBytes + VgaPaletteBytes) throw EImageFormat("truncated file");
  const std::uint8_t* p = data.data() + data.size() - VgaPaletteBytes;
  if (p[0] != 12) throw EImageFormat("the 256-colour palette is missing");
  for (int i = 0; i < 256; ++i) h.Palette[i] = RgbToPixel(p + 1 + 3 * i);
}

void DecodeLine(const TPcxHeader& h, const std::uint8_t* line, std::uint8_t* out) {
  const int width = static_cast<int>(h.Width);
  const std::size_t plane = h.BytesPerLine;
  if (h.BitsPerPixel == 8 && h.Planes >= 3) {
    InterleavePlanes(line, line + plane, line + 2 * plane, out, width);
  } else if (h.BitsPerPixel == 8 || h.BitsPerPixel == 4) {
    DecodeIndexedRow(line, h.BitsPerPixel, width, h.Palette, out);
  } else {
    // Bit planes: bit p of the colour index comes from plane p.
    for (int x = 0; x < width; ++x) {
      int index = 0;
      for (int p = 0; p < h.Planes; ++p) index |= ((line[p * plane + x / 8] >> (7 - x % 8)) & 1) << p;
      StorePixel(out + 3 * x, h.Palette[index]);
    }
  }
}

}  // namespace

std::unique_ptr<TBitmap> TPcxCodec::Decode(TByteSpan data, const TDecodeOptions& options) const {
  TByteReader in(data);
  TPcxHeader h = ReadHeader(in);
  if (h.BitsPerPixel == 8 && h.Planes == 1) ReadVgaPalette(data, h);
  // Every row is decoded whole, or the picture is dropped.
  auto picture = NewPicture(h.Width, h.Height, options.Limits, 24, TNewPixels::Undefined);
  const std::size_t lineBytes = static_cast<std::size_t>(h.BytesPerLine) * h.Planes;
  std::vector<std::uint8_t> line(lineBytes + TPcxScanReader::LineSlack);
  TPcxScanReader scans(data.subspan(HeaderBytes), h.Encoding == 1);
  TRowProgress progress(options.Progress, static_cast<int>(h.Height));
  for (int y = 0; y < h.Height; ++y) {
    scans.Read(line.data(), lineBytes);
    DecodeLine(h, line.data(), picture->Row(y));
    progress.Rows(y + 1);
  }
  return picture;
}

TBytes TPcxCodec::Encode(const TBitmap& bitmap, const TEncodeOptions&) const {
  const int width = bitmap.Width();
  if (width > 0xFFFF || bitmap.Height() > 0xFFFF) throw EImageFormat("the picture is too large for PCX");
  const int bytesPerLine = width + (width & 1);  // lines hold an even number of bytes
  TBytes out;
  // At worst every byte takes two: reserving that much only claims address space.
  out.reserve(HeaderBytes + static_cast<std::size_t>(bytesPerLine) * 3 * bitmap.Height() * 2);
  TByteWriter w(out);
  w.U8(0x0A);
  w.U8(5);  // version 3.0 with a palette of 24-bit colours
  w.U8(1);  // run-length coded
  w.U8(8);
  w.U16(0);
  w.U16(0);
  w.U16(static_cast<std::uint16_t>(width - 1));
  w.U16(static_cast<std::uint16_t>(bitmap.Height() - 1));
  w.U16(96);
  w.U16(96);
  w.Zeros(48 + 1);
  w.U8(3);
  w.U16(static_cast<std::uint16_t>(bytesPerLine));
  w.U16(1);  // colour
  w.Zeros(HeaderBytes - out.size());
  std::vector<std::uint8_t> scratch(static_cast<std::size_t>(width) * 3);
  const std::size_t planeBytes = static_cast<std::size_t>(bytesPerLine) * 3;
  std::vector<std::uint8_t> planes(planeBytes + PcxReadSlack, 0);
  std::vector<std::uint8_t> coded(planeBytes * 2 + PcxCodeSlack);
  for (int y = 0; y < bitmap.Height(); ++y) {
    const std::uint8_t* bgr = BgrRow(bitmap, y, scratch.data());
    // Red, green and blue planes, one after the other.
    SplitPlanes(bgr, planes.data(), planes.data() + bytesPerLine, planes.data() + 2 * bytesPerLine, width);
    // Each plane is coded on its own: no run crosses from one plane into the next.
    std::uint8_t* end = coded.data();
    for (int p = 0; p < 3; ++p) end = PcxCodeRuns(planes.data() + p * bytesPerLine, bytesPerLine, end);
    w.Bytes(coded.data(), end - coded.data());
  }
  return out;
}
