#include "TiffCodec.h"

#include <tiffio.h>

#include <algorithm>
#include <vector>

#include "CodecSupport.h"
#include "framework/graphics/Bitmap.h"

namespace {

// Rows decoded at once at most, whatever the strips, so that the band stays small.
constexpr std::size_t MaxBandBytes = std::size_t{64} << 20;

// File bytes in memory as libtiff sees a file: read, write, seek; writing grows the bytes.
struct TTiffMemory {
  TBytes Written;
  TByteSpan Data;
  std::size_t Pos = 0;
  bool Writing = false;

  static tmsize_t Read(thandle_t h, void* buffer, tmsize_t size) {
    auto* self = static_cast<TTiffMemory*>(h);
    const TByteSpan data = self->Bytes();
    const std::size_t n = self->Pos >= data.size() ? 0 : std::min<std::size_t>(size, data.size() - self->Pos);
    if (n > 0) std::memcpy(buffer, data.data() + self->Pos, n);
    self->Pos += n;
    return static_cast<tmsize_t>(n);
  }
  // Called from libtiff: no exception may pass; a failed write returns 0.
  static tmsize_t Write(thandle_t h, void* buffer, tmsize_t size) {
    auto* self = static_cast<TTiffMemory*>(h);
    if (!self->Writing) return 0;
    try {
      if (self->Written.size() < self->Pos + size) self->Written.resize(self->Pos + size);
    } catch (const std::bad_alloc&) {
      return 0;
    }
    std::memcpy(self->Written.data() + self->Pos, buffer, static_cast<std::size_t>(size));
    self->Pos += static_cast<std::size_t>(size);
    return size;
  }
  static toff_t Seek(thandle_t h, toff_t offset, int whence) {
    auto* self = static_cast<TTiffMemory*>(h);
    const toff_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? self->Pos : self->Bytes().size();
    // Past the end of a file being read there is nothing; libtiff checks what it reads.
    self->Pos = static_cast<std::size_t>(std::min<toff_t>(base + offset, toff_t{1} << 62));
    return self->Pos;
  }
  static int Close(thandle_t) { return 0; }
  static toff_t Size(thandle_t h) { return static_cast<TTiffMemory*>(h)->Bytes().size(); }
  static int Map(thandle_t h, void** base, toff_t* size) {
    auto* self = static_cast<TTiffMemory*>(h);
    if (self->Writing) return 0;
    *base = const_cast<std::uint8_t*>(self->Data.data());
    *size = self->Data.size();
    return 1;
  }
  static void Unmap(thandle_t, void*, toff_t) {}

  TByteSpan Bytes() const { return Writing ? TByteSpan(Written) : Data; }
};

int KeepError(TIFF*, void* user, const char*, const char* format, va_list args) {
  auto* message = static_cast<std::string*>(user);
  if (!message->empty()) return 1;
  char text[512];
  std::vsnprintf(text, sizeof text, format, args);
  *message = text;
  return 1;
}

int IgnoreWarning(TIFF*, void*, const char*, const char*, va_list) { return 1; }

// An open TIFF in memory, with its errors kept rather than printed.
class TTiffHandle {
 public:
  TTiffHandle(TTiffMemory& memory, const char* mode, std::size_t maxAlloc) {
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, static_cast<tmsize_t>(maxAlloc));
    TIFFOpenOptionsSetErrorHandlerExtR(options, KeepError, &Error);
    TIFFOpenOptionsSetWarningHandlerExtR(options, IgnoreWarning, nullptr);
    Tiff = TIFFClientOpenExt("picture", mode, &memory, TTiffMemory::Read, TTiffMemory::Write, TTiffMemory::Seek,
                             TTiffMemory::Close, TTiffMemory::Size, TTiffMemory::Map, TTiffMemory::Unmap, options);
    TIFFOpenOptionsFree(options);
    if (!Tiff) Fail("not a TIFF file");
  }
  ~TTiffHandle() {
    if (Tiff) TIFFClose(Tiff);
  }
  TTiffHandle(const TTiffHandle&) = delete;
  TTiffHandle& operator=(const TTiffHandle&) = delete;

  [[noreturn]] void Fail(const std::string& fallback) const { throw EImageFormat(Error.empty() ? fallback : Error); }
  // Closes now, so that everything written is flushed; false when that failed.
  bool Close() {
    TIFF* tiff = Tiff;
    Tiff = nullptr;
    TIFFClose(tiff);
    return Error.empty();
  }

  TIFF* Tiff = nullptr;
  std::string Error;
};

// libtiff's RGBA reader, begun on the first page and ended with it.
class TRgbaReader {
 public:
  explicit TRgbaReader(TTiffHandle& tiff) {
    char message[1024] = "";
    if (!TIFFRGBAImageOK(tiff.Tiff, message) || !TIFFRGBAImageBegin(&Image, tiff.Tiff, 1, message))
      throw EImageFormat(message);
    Image.req_orientation = ORIENTATION_TOPLEFT;
  }
  ~TRgbaReader() { TIFFRGBAImageEnd(&Image); }
  TRgbaReader(const TRgbaReader&) = delete;
  TRgbaReader& operator=(const TRgbaReader&) = delete;

  TIFFRGBAImage Image{};
};

std::uint32_t BandRows(TIFF* tiff, std::uint32_t width, std::uint32_t height) {
  std::uint32_t rows = 0;
  if (!TIFFGetField(tiff, TIFFIsTiled(tiff) ? TIFFTAG_TILELENGTH : TIFFTAG_ROWSPERSTRIP, &rows) || rows == 0)
    rows = height;
  const std::size_t fit = std::max<std::size_t>(1, MaxBandBytes / (std::size_t{width} * 4));
  return static_cast<std::uint32_t>(std::min<std::size_t>({rows, height, fit}));
}

// libtiff's packed A, B, G, R words to B, G, R bytes.
void AbgrToBgr(const std::uint32_t* in, std::uint32_t width, std::uint8_t* out) {
  for (std::uint32_t x = 0; x < width; ++x, out += 3) {
    out[0] = static_cast<std::uint8_t>(TIFFGetB(in[x]));
    out[1] = static_cast<std::uint8_t>(TIFFGetG(in[x]));
    out[2] = static_cast<std::uint8_t>(TIFFGetR(in[x]));
  }
}

// Plain 8-bit RGB in strips, top row first: the common case, read straight from the strips
// instead of through the general reader's RGBA raster.
bool IsPlainRgb(TIFF* tiff) {
  std::uint16_t photometric = 0, bits = 0, samples = 0, planar = PLANARCONFIG_CONTIG, orientation = ORIENTATION_TOPLEFT;
  TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric);
  TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
  TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
  TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &planar);
  TIFFGetFieldDefaulted(tiff, TIFFTAG_ORIENTATION, &orientation);
  return photometric == PHOTOMETRIC_RGB && bits == 8 && samples == 3 && planar == PLANARCONFIG_CONTIG &&
         orientation == ORIENTATION_TOPLEFT && !TIFFIsTiled(tiff);
}

void ReadPlainRgb(TTiffHandle& tiff, TBitmap& picture, const TDecodeOptions& options) {
  const std::size_t width = static_cast<std::size_t>(picture.Width());
  const auto height = static_cast<std::uint32_t>(picture.Height());
  std::uint32_t rowsPerStrip = height;
  TIFFGetFieldDefaulted(tiff.Tiff, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
  rowsPerStrip = std::clamp<std::uint32_t>(rowsPerStrip, 1, height);
  const std::size_t stripBytes = width * 3 * rowsPerStrip;
  if (stripBytes > options.Limits.MaxCodecMemory) throw EImageFormat("a strip is larger than allowed");
  std::vector<std::uint8_t> strip(stripBytes);
  TRowProgress progress(options.Progress, static_cast<int>(height));
  for (std::uint32_t y = 0; y < height; y += rowsPerStrip) {
    const std::uint32_t rows = std::min(rowsPerStrip, height - y);
    const tmsize_t read = TIFFReadEncodedStrip(tiff.Tiff, TIFFComputeStrip(tiff.Tiff, y, 0), strip.data(),
                                               static_cast<tmsize_t>(width * 3 * rows));
    if (read < static_cast<tmsize_t>(width * 3 * rows)) tiff.Fail("damaged picture data");
    for (std::uint32_t r = 0; r < rows; ++r) {
      const std::uint8_t* rgb = strip.data() + width * 3 * r;
      std::uint8_t* bgr = picture.Row(static_cast<int>(y + r));
      for (std::size_t x = 0; x < width; ++x, rgb += 3, bgr += 3) {
        bgr[0] = rgb[2];
        bgr[1] = rgb[1];
        bgr[2] = rgb[0];
      }
    }
    progress.Rows(static_cast<int>(y + rows));
  }
}

void WriteRows(TTiffHandle& tiff, const TBitmap& bitmap) {
  const int width = bitmap.Width();
  std::vector<std::uint8_t> bgr(static_cast<std::size_t>(width) * 3);
  std::vector<std::uint8_t> rgb(bgr.size());
  for (int y = 0; y < bitmap.Height(); ++y) {
    const std::uint8_t* in = BgrRow(bitmap, y, bgr.data());
    for (int x = 0; x < width; ++x) {
      rgb[3 * x + 0] = in[3 * x + 2];
      rgb[3 * x + 1] = in[3 * x + 1];
      rgb[3 * x + 2] = in[3 * x + 0];
    }
    if (TIFFWriteScanline(tiff.Tiff, rgb.data(), static_cast<std::uint32_t>(y), 0) < 0) tiff.Fail("write error");
  }
}

}  // namespace

std::unique_ptr<TBitmap> TTiffCodec::Decode(TByteSpan data, const TDecodeOptions& options) const {
  TTiffMemory memory;
  memory.Data = data;
  TTiffHandle tiff(memory, "r", options.Limits.MaxCodecMemory);
  if (IsPlainRgb(tiff.Tiff)) {
    std::uint32_t width = 0, height = 0;
    TIFFGetField(tiff.Tiff, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff.Tiff, TIFFTAG_IMAGELENGTH, &height);
    auto picture = NewPicture(width, height, options.Limits);
    ReadPlainRgb(tiff, *picture, options);
    return picture;
  }
  TRgbaReader reader(tiff);
  const std::uint32_t width = reader.Image.width;
  const std::uint32_t height = reader.Image.height;
  auto picture = NewPicture(width, height, options.Limits);
  const std::uint32_t band = BandRows(tiff.Tiff, width, height);
  std::vector<std::uint32_t> raster(std::size_t{width} * band);
  TRowProgress progress(options.Progress, static_cast<int>(height));
  for (std::uint32_t y = 0; y < height; y += band) {
    const std::uint32_t rows = std::min(band, height - y);
    reader.Image.row_offset = static_cast<int>(y);
    if (!TIFFRGBAImageGet(&reader.Image, raster.data(), width, rows)) tiff.Fail("damaged picture data");
    for (std::uint32_t r = 0; r < rows; ++r)
      AbgrToBgr(raster.data() + std::size_t{width} * r, width, picture->Row(static_cast<int>(y + r)));
    progress.Rows(static_cast<int>(y + rows));
  }
  return picture;
}

TBytes TTiffCodec::Encode(const TBitmap& bitmap, const TEncodeOptions&) const {
  TTiffMemory memory;
  memory.Writing = true;
  TTiffHandle tiff(memory, "w", std::size_t{1} << 30);
  TIFF* t = tiff.Tiff;
  TIFFSetField(t, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(bitmap.Width()));
  TIFFSetField(t, TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(bitmap.Height()));
  TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, 3);
  TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
  TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(t, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
  TIFFSetField(t, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
  TIFFSetField(t, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
  TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(t, 0));
  WriteRows(tiff, bitmap);
  if (!tiff.Close()) tiff.Fail("write error");
  return std::move(memory.Written);
}
