#include "GifCodec.h"

#include <gif_lib.h>

#include <algorithm>
#include <vector>

#include "CodecSupport.h"
#include "GifPalette.h"
#include "framework/graphics/Bitmap.h"

namespace {

// giflib reads through this: never past the end of the bytes it was given.
struct TGifSource {
  TByteSpan Data;
  std::size_t Pos = 0;
  static int Read(GifFileType* gif, GifByteType* out, int count) {
    auto* self = static_cast<TGifSource*>(gif->UserData);
    const std::size_t n =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(count, 0)), self->Data.size() - self->Pos);
    if (n > 0) std::memcpy(out, self->Data.data() + self->Pos, n);
    self->Pos += n;
    return static_cast<int>(n);
  }
};

// Called from giflib: no exception may pass; a failed write returns 0.
int AppendBytes(GifFileType* gif, const GifByteType* data, int count) {
  auto* out = static_cast<TBytes*>(gif->UserData);
  try {
    out->insert(out->end(), data, data + count);
  } catch (const std::bad_alloc&) {
    return 0;
  }
  return count;
}

class TGifReader {
 public:
  explicit TGifReader(TGifSource& source) {
    int error = 0;
    FGif = DGifOpen(&source, TGifSource::Read, &error);
    if (!FGif) throw EImageFormat(GifErrorString(error));
  }
  ~TGifReader() { DGifCloseFile(FGif, nullptr); }
  TGifReader(const TGifReader&) = delete;
  TGifReader& operator=(const TGifReader&) = delete;

  GifFileType* operator->() const { return FGif; }
  GifFileType* Get() const { return FGif; }
  void Check(int result) const {
    if (result == GIF_ERROR) throw EImageFormat(FGif->Error ? GifErrorString(FGif->Error) : "damaged file");
  }

 private:
  GifFileType* FGif;
};

// Reads up to the first image's descriptor; returns the transparent index its graphic
// control block names, or -1.
int ReadToFirstImage(const TGifReader& gif) {
  int transparent = -1;
  for (;;) {
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    gif.Check(DGifGetRecordType(gif.Get(), &type));
    if (type == IMAGE_DESC_RECORD_TYPE) {
      gif.Check(DGifGetImageDesc(gif.Get()));
      return transparent;
    }
    if (type == TERMINATE_RECORD_TYPE) throw EImageFormat("the file holds no picture");
    if (type != EXTENSION_RECORD_TYPE) continue;
    int code = 0;
    GifByteType* block = nullptr;
    gif.Check(DGifGetExtension(gif.Get(), &code, &block));
    if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4) transparent = (block[1] & 1) ? block[4] : -1;
    while (block) gif.Check(DGifGetExtensionNext(gif.Get(), &block));
  }
}

// The rows of a frame in the order they are stored: all of them, or the four interlace passes.
std::vector<int> StoredRowOrder(int height, bool interlaced) {
  std::vector<int> order;
  if (!interlaced) {
    for (int y = 0; y < height; ++y) order.push_back(y);
    return order;
  }
  static constexpr int Start[] = {0, 4, 2, 1};
  static constexpr int Step[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass)
    for (int y = Start[pass]; y < height; y += Step[pass]) order.push_back(y);
  return order;
}

}  // namespace

std::unique_ptr<TBitmap> TGifCodec::Decode(TByteSpan data, const TDecodeOptions& options) const {
  TGifSource source{data};
  TGifReader gif(source);
  const int transparent = ReadToFirstImage(gif);
  const GifImageDesc& frame = gif->Image;
  const ColorMapObject* map = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
  if (!map) throw EImageFormat("the picture has no palette");
  CheckDimensions(frame.Width, frame.Height, options.Limits);
  // The screen grows to hold a frame that reaches past it. What the frame leaves uncovered,
  // and its transparent pixels, stay black: transparency is composed over black in every format.
  auto picture =
      NewPicture(std::max<std::int64_t>(gif->SWidth, std::int64_t{frame.Left} + frame.Width),
                 std::max<std::int64_t>(gif->SHeight, std::int64_t{frame.Top} + frame.Height), options.Limits);
  std::vector<GifPixelType> line(static_cast<std::size_t>(frame.Width));
  const std::vector<int> rows = StoredRowOrder(frame.Height, frame.Interlace);
  TRowProgress progress(options.Progress, frame.Height);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    gif.Check(DGifGetLine(gif.Get(), line.data(), frame.Width));
    std::uint8_t* out = picture->Row(frame.Top + rows[i]) + 3 * frame.Left;
    for (int x = 0; x < frame.Width; ++x, out += 3) {
      const int index = line[x];
      if (index == transparent || index >= map->ColorCount) continue;
      const GifColorType& c = map->Colors[index];
      out[0] = c.Blue;
      out[1] = c.Green;
      out[2] = c.Red;
    }
    progress.Rows(static_cast<int>(i + 1));
  }
  return picture;
}

TBytes TGifCodec::Encode(const TBitmap& bitmap, const TEncodeOptions&) const {
  if (bitmap.Width() > 0xFFFF || bitmap.Height() > 0xFFFF) throw EImageFormat("the picture is too large for GIF");
  TIndexedPicture indexed = IndexPicture(bitmap);
  int size = 2;
  while (size < static_cast<int>(indexed.Palette.size())) size *= 2;
  ColorMapObject* map = GifMakeMapObject(size, nullptr);
  if (!map) throw EImageFormat("out of memory");
  for (std::size_t c = 0; c < indexed.Palette.size(); ++c) {
    const std::uint32_t p = indexed.Palette[c];
    map->Colors[c] = {static_cast<GifByteType>(p >> 16), static_cast<GifByteType>(p >> 8), static_cast<GifByteType>(p)};
  }
  TBytes out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, AppendBytes, &error);
  bool ok = gif && EGifPutScreenDesc(gif, bitmap.Width(), bitmap.Height(), 8, 0, map) != GIF_ERROR &&
            EGifPutImageDesc(gif, 0, 0, bitmap.Width(), bitmap.Height(), false, nullptr) != GIF_ERROR;
  for (int y = 0; ok && y < bitmap.Height(); ++y)
    ok = EGifPutLine(gif, indexed.Indices.data() + static_cast<std::size_t>(y) * bitmap.Width(), bitmap.Width()) !=
         GIF_ERROR;
  if (gif && !ok) error = gif->Error;
  int closeError = 0;
  if (gif && EGifCloseFile(gif, &closeError) == GIF_ERROR && ok) {
    ok = false;
    error = closeError;
  }
  GifFreeMapObject(map);
  if (!ok) throw EImageFormat(GifErrorString(error));
  return out;
}
