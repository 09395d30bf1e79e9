#include "JpegCodec.h"

#include <cstdio>
// jpeglib.h needs size_t and FILE declared before it.
#include <jerror.h>
#include <jpeglib.h>

#include <exception>
#include <vector>

#include "CodecSupport.h"
#include "LongJump.h"
#include "framework/graphics/Bitmap.h"

namespace {

// More scans than any encoder writes; a file with more is built to make the decoder spin.
constexpr int MaxProgressiveScans = 500;

// The library's error manager, turned from printing and exit into a jump back to the caller.
struct TJpegErrors {
  jpeg_error_mgr Manager{};
  std::jmp_buf Jump{};
  std::string Message;
  std::exception_ptr Pending;

  void Attach(j_common_ptr cinfo) {
    cinfo->err = jpeg_std_error(&Manager);
    Manager.error_exit = OnFatal;
    Manager.emit_message = OnMessage;
    Manager.output_message = [](j_common_ptr) {};
  }
  [[noreturn]] static void Fail(j_common_ptr cinfo, const char* message) {
    auto* self = reinterpret_cast<TJpegErrors*>(cinfo->err);
    self->Message = message;
    std::longjmp(self->Jump, 1);
  }
  [[noreturn]] static void OnFatal(j_common_ptr cinfo) {
    char text[JMSG_LENGTH_MAX];
    cinfo->err->format_message(cinfo, text);
    Fail(cinfo, text);
  }
  // A file cut short is an error, not a picture padded with grey; other warnings about
  // slightly damaged data are let pass, as the data is still shown.
  static void OnMessage(j_common_ptr cinfo, int level) {
    if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) OnFatal(cinfo);
  }
};

template <class Step>
void RunJpeg(TJpegErrors& errors, Step&& step) {
  if (RunUntilLongJump(errors.Jump, step)) return;
  if (errors.Pending) std::rethrow_exception(errors.Pending);
  throw EImageFormat(errors.Message);
}

// Reports the share decoded and stops files with absurd numbers of scans.
struct TJpegProgress {
  jpeg_progress_mgr Manager{};
  const TPercentCallback* Callback = nullptr;
  int LastPercent = -1;

  static void OnProgress(j_common_ptr cinfo) {
    auto* self = reinterpret_cast<TJpegProgress*>(cinfo->progress);
    if (cinfo->is_decompressor && reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > MaxProgressiveScans)
      TJpegErrors::Fail(cinfo, "too many progressive scans");
    const jpeg_progress_mgr& m = self->Manager;
    if (!*self->Callback || m.total_passes <= 0 || m.pass_limit <= 0) return;
    const long done = m.completed_passes * 100L + m.pass_counter * 100L / m.pass_limit;
    const int percent = static_cast<int>(std::min(100L, done / m.total_passes));
    if (percent == self->LastPercent) return;
    self->LastPercent = percent;
    // A handler's exception may not cross the library's frames: it waits for the jump back.
    try {
      (*self->Callback)(percent);
    } catch (...) {
      reinterpret_cast<TJpegErrors*>(cinfo->err)->Pending = std::current_exception();
    }
    if (reinterpret_cast<TJpegErrors*>(cinfo->err)->Pending) TJpegErrors::Fail(cinfo, "");
  }
};

// CMYK as Adobe writes it (inverted) to B, G, R.
void CmykToBgr(const std::uint8_t* cmyk, int width, bool inverted, std::uint8_t* bgr) {
  for (int x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
    const int k = inverted ? cmyk[3] : 255 - cmyk[3];
    for (int c = 0; c < 3; ++c) {
      const int v = inverted ? cmyk[c] : 255 - cmyk[c];
      bgr[2 - c] = static_cast<std::uint8_t>((v * k + 127) / 255);
    }
  }
}

class TJpegDecoder {
 public:
  TJpegDecoder(TByteSpan data, const TDecodeOptions& options) : FData(data), FOptions(options) {
    FErrors.Attach(reinterpret_cast<j_common_ptr>(&FInfo));
    FProgress.Manager.progress_monitor = TJpegProgress::OnProgress;
    FProgress.Callback = &options.Progress;
  }
  ~TJpegDecoder() { jpeg_destroy_decompress(&FInfo); }
  TJpegDecoder(const TJpegDecoder&) = delete;
  TJpegDecoder& operator=(const TJpegDecoder&) = delete;

  std::unique_ptr<TBitmap> Run() {
    RunJpeg(FErrors, [this] { ReadHeader(); });
    // The library writes every row, or raises an error and the picture is dropped.
    auto picture = NewPicture(FInfo.image_width, FInfo.image_height, FOptions.Limits, 24, TNewPixels::Undefined);
    FRows.resize(FInfo.image_height);
    for (std::size_t y = 0; y < FRows.size(); ++y) FRows[y] = picture->Row(static_cast<int>(y));
    if (FInfo.out_color_space == JCS_CMYK) FCmyk.resize(std::size_t{FInfo.image_width} * 4);
    RunJpeg(FErrors, [this] { Decompress(); });
    // The library's last report comes before its last rows: the end is reported here.
    if (FOptions.Progress && FProgress.LastPercent != 100) FOptions.Progress(100);
    return picture;
  }

 private:
  void ReadHeader() {
    jpeg_create_decompress(&FInfo);
    FInfo.progress = &FProgress.Manager;
    FInfo.mem->max_memory_to_use = static_cast<long>(FOptions.Limits.MaxCodecMemory);
    jpeg_mem_src(&FInfo, FData.data(), static_cast<unsigned long>(FData.size()));
    jpeg_read_header(&FInfo, TRUE);
    const bool cmyk = FInfo.jpeg_color_space == JCS_CMYK || FInfo.jpeg_color_space == JCS_YCCK;
    FInfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
  }
  void Decompress() {
    jpeg_start_decompress(&FInfo);
    while (FInfo.output_scanline < FInfo.output_height) {
      if (FCmyk.empty()) {
        jpeg_read_scanlines(&FInfo, FRows.data() + FInfo.output_scanline, FInfo.output_height - FInfo.output_scanline);
      } else {
        JSAMPROW row = FCmyk.data();
        std::uint8_t* out = FRows[FInfo.output_scanline];
        jpeg_read_scanlines(&FInfo, &row, 1);
        CmykToBgr(FCmyk.data(), static_cast<int>(FInfo.output_width), FInfo.saw_Adobe_marker, out);
      }
    }
    jpeg_finish_decompress(&FInfo);
  }

  jpeg_decompress_struct FInfo{};
  TJpegErrors FErrors;
  TJpegProgress FProgress;
  TByteSpan FData;
  const TDecodeOptions& FOptions;
  std::vector<JSAMPROW> FRows;
  std::vector<std::uint8_t> FCmyk;
};

// Collects the compressed bytes in a byte vector.
struct TJpegSink {
  jpeg_destination_mgr Manager{};
  TBytes* Out = nullptr;
  std::vector<JOCTET> Buffer = std::vector<JOCTET>(1 << 16);

  void Attach(j_compress_ptr cinfo, TBytes& out) {
    Out = &out;
    Manager.init_destination = [](j_compress_ptr c) { Self(c)->Reset(); };
    Manager.empty_output_buffer = [](j_compress_ptr c) -> boolean {
      Self(c)->Append(c, Self(c)->Buffer.size());
      Self(c)->Reset();
      return TRUE;
    };
    Manager.term_destination = [](j_compress_ptr c) {
      Self(c)->Append(c, Self(c)->Buffer.size() - Self(c)->Manager.free_in_buffer);
    };
    cinfo->dest = &Manager;
  }

 private:
  static TJpegSink* Self(j_compress_ptr cinfo) { return reinterpret_cast<TJpegSink*>(cinfo->dest); }
  void Reset() {
    Manager.next_output_byte = Buffer.data();
    Manager.free_in_buffer = Buffer.size();
  }
  // Called from the library: no exception may pass.
  void Append(j_compress_ptr cinfo, std::size_t count) {
    bool stored = true;
    try {
      Out->insert(Out->end(), Buffer.begin(), Buffer.begin() + static_cast<std::ptrdiff_t>(count));
    } catch (const std::bad_alloc&) {
      stored = false;
    }
    if (!stored) TJpegErrors::Fail(reinterpret_cast<j_common_ptr>(cinfo), "out of memory");
  }
};

class TJpegEncoder {
 public:
  explicit TJpegEncoder(const TBitmap& bitmap) : FBitmap(bitmap) {
    FErrors.Attach(reinterpret_cast<j_common_ptr>(&FInfo));
  }
  ~TJpegEncoder() { jpeg_destroy_compress(&FInfo); }
  TJpegEncoder(const TJpegEncoder&) = delete;
  TJpegEncoder& operator=(const TJpegEncoder&) = delete;

  TBytes Run(int quality) {
    RunJpeg(FErrors, [this, quality] { Compress(quality); });
    return std::move(FOut);
  }

 private:
  void Compress(int quality) {
    jpeg_create_compress(&FInfo);
    FSink.Attach(&FInfo, FOut);
    FInfo.image_width = static_cast<JDIMENSION>(FBitmap.Width());
    FInfo.image_height = static_cast<JDIMENSION>(FBitmap.Height());
    FInfo.input_components = FBitmap.PixelBits() / 8;
    FInfo.in_color_space = FBitmap.PixelBits() == 32 ? JCS_EXT_BGRX : JCS_EXT_BGR;
    jpeg_set_defaults(&FInfo);
    jpeg_set_quality(&FInfo, quality, TRUE);
    // Full-resolution colour: halving it blurs every coloured edge below 38 dB at quality 90.
    FInfo.comp_info[0].h_samp_factor = 1;
    FInfo.comp_info[0].v_samp_factor = 1;
    jpeg_start_compress(&FInfo, TRUE);
    while (FInfo.next_scanline < FInfo.image_height) {
      auto row = const_cast<JSAMPROW>(FBitmap.Row(static_cast<int>(FInfo.next_scanline)));
      jpeg_write_scanlines(&FInfo, &row, 1);
    }
    jpeg_finish_compress(&FInfo);
  }

  const TBitmap& FBitmap;
  jpeg_compress_struct FInfo{};
  TJpegErrors FErrors;
  TJpegSink FSink;
  TBytes FOut;
};

}  // namespace

std::unique_ptr<TBitmap> TJpegCodec::Decode(TByteSpan data, const TDecodeOptions& options) const {
  return TJpegDecoder(data, options).Run();
}

TBytes TJpegCodec::Encode(const TBitmap& bitmap, const TEncodeOptions& options) const {
  if (bitmap.Width() > JPEG_MAX_DIMENSION || bitmap.Height() > JPEG_MAX_DIMENSION)
    throw EImageFormat("the picture is too large for JPEG");
  return TJpegEncoder(bitmap).Run(options.JpegQuality);
}
