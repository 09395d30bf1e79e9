#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "framework/base/Exceptions.h"
#include "framework/graphics/HugePageBlocks.h"

class TBitmap;

// What a picture file may ask for. Every reader checks the dimensions against these before it
// allocates pixel memory, and bounds the library's own working memory, so that no file can
// make the process allocate without bound.
struct TImageLimits {
  int MaxSide = 32767;
  std::int64_t MaxPixels = std::int64_t{1} << 26;
  // Working memory a codec library may take beside the picture (coefficients, strips).
  std::size_t MaxCodecMemory = std::size_t{768} << 20;
  // Largest file read into memory.
  std::size_t MaxFileBytes = std::size_t{1} << 30;
};

// A file that is not a readable picture: names the file and what is wrong with it.
class EInvalidImage : public Exception {
 public:
  EInvalidImage(const std::string& fileName, const std::string& reason)
      : Exception("Cannot read picture file " + fileName + ": " + reason) {}
};

// What a codec raises: the reason alone; the facility adds the file name.
class EImageFormat : public Exception {
 public:
  using Exception::Exception;
};

// Reports the share of a picture decoded so far, 0 ... 100.
using TPercentCallback = std::function<void(int percent)>;

struct TDecodeOptions {
  TImageLimits Limits;
  TPercentCallback Progress;
};

struct TEncodeOptions {
  int JpegQuality = 90;
};

using TByteSpan = std::span<const std::uint8_t>;
// The bytes of a picture file.
using TBytes = std::vector<std::uint8_t, THugePageAllocator<std::uint8_t>>;

// One picture format: decodes file bytes into a new 24-bit bitmap and, where the format is
// written, encodes a 24- or 32-bit bitmap into file bytes. Both raise EImageFormat.
class TImageCodec {
 public:
  virtual ~TImageCodec() = default;
  virtual std::unique_ptr<TBitmap> Decode(TByteSpan data, const TDecodeOptions& options) const = 0;
  virtual bool CanEncode() const { return true; }
  virtual TBytes Encode(const TBitmap& bitmap, const TEncodeOptions& options) const = 0;
};

// The codec for a lower-cased extension (".jpg"), for reading or for writing. Reading treats an
// unknown extension as a Windows bitmap; so does writing, but for the metafiles, which are
// read only.
const TImageCodec& CodecForReading(const std::string& extension);
const TImageCodec& CodecForWriting(const std::string& extension);
