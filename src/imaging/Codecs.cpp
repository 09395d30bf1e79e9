#include "BmpCodec.h"
#include "GifCodec.h"
#include "JpegCodec.h"
#include "MetafileCodec.h"
#include "PcxCodec.h"
#include "PngCodec.h"
#include "TiffCodec.h"

namespace {

const TImageCodec* KnownCodec(const std::string& extension) {
  static const TJpegCodec jpeg;
  static const TTiffCodec tiff;
  static const TGifCodec gif;
  static const TPngCodec png;
  static const TPcxCodec pcx;
  static const TWmfCodec wmf;
  static const TEmfCodec emf;
  if (extension == ".jpg" || extension == ".jpeg") return &jpeg;
  if (extension == ".tif" || extension == ".tiff") return &tiff;
  if (extension == ".gif") return &gif;
  if (extension == ".png") return &png;
  if (extension == ".pcx") return &pcx;
  if (extension == ".wmf") return &wmf;
  if (extension == ".emf") return &emf;
  return nullptr;
}

const TImageCodec& Bmp() {
  static const TBmpCodec bmp;
  return bmp;
}

}  // namespace

const TImageCodec& CodecForReading(const std::string& extension) {
  const TImageCodec* codec = KnownCodec(extension);
  return codec ? *codec : Bmp();
}

const TImageCodec& CodecForWriting(const std::string& extension) { return CodecForReading(extension); }
