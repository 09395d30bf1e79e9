#include "PngCodec.h"

#include <png.h>

#include <algorithm>

#include "CodecSupport.h"
#include "LongJump.h"
#include "framework/base/WholeFile.h"
#include "framework/graphics/Bitmap.h"

namespace {

// One libpng read or write, its library state and the message of its last error.
struct TPngSession {
  explicit TPngSession(bool reading) : FReading(reading) {
    Png = reading ? png_create_read_struct(PNG_LIBPNG_VER_STRING, this, OnError, OnWarning)
                  : png_create_write_struct(PNG_LIBPNG_VER_STRING, this, OnError, OnWarning);
    if (Png) Info = png_create_info_struct(Png);
    if (!Info) {
      Release();
      throw EImageFormat("out of memory");
    }
  }
  ~TPngSession() { Release(); }
  TPngSession(const TPngSession&) = delete;
  TPngSession& operator=(const TPngSession&) = delete;

  template <class Step>
  void Run(Step&& step) {
    if (!RunUntilLongJump(png_jmpbuf(Png), step)) throw EImageFormat(Error);
  }

  png_structp Png = nullptr;
  png_infop Info = nullptr;
  std::string Error;

 private:
  static void OnError(png_structp png, png_const_charp message) {
    static_cast<TPngSession*>(png_get_error_ptr(png))->Error = message;
    png_longjmp(png, 1);
  }
  static void OnWarning(png_structp, png_const_charp) {}
  void Release() {
    if (FReading) png_destroy_read_struct(&Png, &Info, nullptr);
    else png_destroy_write_struct(&Png, &Info);
  }

  bool FReading;
};

struct TMemorySource {
  TByteSpan Data;
  std::size_t Pos = 0;
  static void Read(png_structp png, png_bytep out, png_size_t count) {
    auto* self = static_cast<TMemorySource*>(png_get_io_ptr(png));
    if (count > self->Data.size() - self->Pos) png_error(png, "truncated file");
    std::memcpy(out, self->Data.data() + self->Pos, count);
    self->Pos += count;
  }
};

// Asks libpng for 8-bit B, G, R (and alpha where the file has transparency).
bool SetReadTransforms(png_structp png, png_infop info) {
  const int colorType = png_get_color_type(png, info);
  const bool alpha = (colorType & PNG_COLOR_MASK_ALPHA) || png_get_valid(png, info, PNG_INFO_tRNS);
  png_set_expand(png);  // palette to RGB, low grey depths to 8 bits, transparency to alpha
  png_set_scale_16(png);
  if (!(colorType & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(png);
  png_set_bgr(png);
  return alpha;
}

// Composes each pixel over black, in place, and drops the alpha byte.
void ComposeOverBlack(TBitmap& picture) {
  for (int y = 0; y < picture.Height(); ++y) {
    std::uint8_t* p = picture.Row(y);
    for (int x = 0; x < picture.Width(); ++x, p += 4) {
      for (int c = 0; c < 3; ++c) p[c] = static_cast<std::uint8_t>((p[c] * p[3] + 127) / 255);
      p[3] = 0;
    }
  }
  picture.SetPixelBits(24);
}

// libpng allocates a chunk's declared length before it reads the chunk: a length that runs past
// the end of the file is refused here, before libpng sees it.
void CheckChunkLengths(TByteSpan data) {
  constexpr std::size_t SignatureBytes = 8, ChunkFrameBytes = 12;
  if (data.size() < SignatureBytes || png_sig_cmp(data.data(), 0, SignatureBytes) != 0) return;
  for (std::size_t at = SignatureBytes; at + ChunkFrameBytes <= data.size();) {
    const std::uint8_t* p = data.data() + at;
    const std::size_t length = (std::size_t{p[0]} << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
    if (length > data.size() - at - ChunkFrameBytes) throw EImageFormat("truncated file");
    if (std::memcmp(p + 4, "IEND", 4) == 0) return;
    at += ChunkFrameBytes + length;
  }
}

// No ancillary chunk (a profile, text) needs more, even decompressed.
constexpr std::size_t MaxChunkBytes = std::size_t{16} << 20;

class TPngDecoder {
 public:
  TPngDecoder(TByteSpan data, const TDecodeOptions& options) : FSource{data}, FOptions(options) {
    CheckChunkLengths(data);
    const std::size_t chunkLimit = std::min(options.Limits.MaxCodecMemory, MaxChunkBytes);
    png_set_read_fn(FSession.Png, &FSource, TMemorySource::Read);
    png_set_chunk_malloc_max(FSession.Png, chunkLimit);
    // Only the header, the palette, transparency and the pixels make the picture: every other
    // chunk is skipped unread. Kept, compressed text chunks alone, each within the limit, would
    // take gigabytes (and seconds to inflate) from a file of a few megabytes.
    png_set_keep_unknown_chunks(FSession.Png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
  }

  std::unique_ptr<TBitmap> Run() {
    FSession.Run([this] { ReadHeader(); });
    CheckDimensions(FWidth, FHeight, FOptions.Limits);
    FPicture = std::make_unique<TBitmap>(static_cast<int>(FWidth), static_cast<int>(FHeight), FAlpha ? 32 : 24);
    FSession.Run([this] { ReadRows(); });
    if (FAlpha) ComposeOverBlack(*FPicture);
    return std::move(FPicture);
  }

 private:
  void ReadHeader() {
    png_read_info(FSession.Png, FSession.Info);
    FWidth = png_get_image_width(FSession.Png, FSession.Info);
    FHeight = png_get_image_height(FSession.Png, FSession.Info);
    FAlpha = SetReadTransforms(FSession.Png, FSession.Info);
    FPasses = png_set_interlace_handling(FSession.Png);
    png_read_update_info(FSession.Png, FSession.Info);
  }
  void ReadRows() {
    TRowProgress progress(FOptions.Progress, static_cast<int>(FHeight) * FPasses);
    for (int pass = 0; pass < FPasses; ++pass) {
      for (int y = 0; y < FHeight; ++y) {
        png_read_row(FSession.Png, FPicture->Row(y), nullptr);
        progress.Rows(pass * static_cast<int>(FHeight) + y + 1);
      }
    }
  }

  TPngSession FSession{true};
  TMemorySource FSource;
  const TDecodeOptions& FOptions;
  std::int64_t FWidth = 0;
  std::int64_t FHeight = 0;
  bool FAlpha = false;
  int FPasses = 1;
  std::unique_ptr<TBitmap> FPicture;
};

// Called from libpng: no exception may pass through it.
void AppendBytes(png_structp png, png_bytep data, png_size_t count) {
  auto* out = static_cast<TBytes*>(png_get_io_ptr(png));
  bool stored = true;
  try {
    out->insert(out->end(), data, data + count);
  } catch (const std::bad_alloc&) {
    stored = false;
  }
  if (!stored) png_error(png, "out of memory");
}

void FlushNothing(png_structp) {}

}  // namespace

std::unique_ptr<TBitmap> TPngCodec::Decode(TByteSpan data, const TDecodeOptions& options) const {
  return TPngDecoder(data, options).Run();
}

TBytes TPngCodec::Encode(const TBitmap& bitmap, const TEncodeOptions&) const {
  TBytes out;
  TPngSession session(false);
  session.Run([&] {
    png_set_write_fn(session.Png, &out, AppendBytes, FlushNothing);
    png_set_IHDR(session.Png, session.Info, static_cast<png_uint_32>(bitmap.Width()),
                 static_cast<png_uint_32>(bitmap.Height()), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(session.Png, session.Info);
    png_set_bgr(session.Png);
    if (bitmap.PixelBits() == 32) png_set_filler(session.Png, 0, PNG_FILLER_AFTER);
    for (int y = 0; y < bitmap.Height(); ++y) png_write_row(session.Png, const_cast<png_bytep>(bitmap.Row(y)));
    png_write_end(session.Png, nullptr);
  });
  return out;
}

void SavePng(const TBitmap& bitmap, const std::string& fileName) {
  WriteWholeFile(fileName, TPngCodec().Encode(bitmap, {}));
}
