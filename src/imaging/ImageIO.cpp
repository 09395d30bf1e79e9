#include "ImageIO.h"

#include <cctype>

#include "PictureFile.h"
#include "framework/base/WholeFile.h"
#include "framework/graphics/Bitmap.h"

std::string LowerExtension(const std::string& fileName) {
  const std::size_t dot = fileName.rfind('.');
  const std::size_t slash = fileName.rfind('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string extension = fileName.substr(dot);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension;
}

void TImageIO::LoadFromFile(TBitmap& bitmap, const std::string& fileName) {
  const TImageCodec& codec = CodecForReading(LowerExtension(fileName));
  std::unique_ptr<TBitmap> picture;
  try {
    const TBytes bytes = ReadPictureFile(fileName, Limits.MaxFileBytes);
    picture = codec.Decode(bytes, {Limits, OnProgress});
  } catch (const EImageFormat& e) {
    throw EInvalidImage(fileName, e.Message());
  } catch (const std::bad_alloc&) {
    throw EInvalidImage(fileName, "not enough memory");
  }
  bitmap.TakePicture(*picture);
}

void TImageIO::SaveToFile(const TBitmap& bitmap, const std::string& fileName) {
  const TImageCodec& codec = CodecForWriting(LowerExtension(fileName));
  if (const std::string target = FollowLinks(fileName); &CodecForWriting(LowerExtension(target)) != &codec)
    throw EWriteError("Cannot write file " + fileName + ": it is a link to " + target +
                      ", whose name asks for another format");
  if (!codec.CanEncode()) throw EWriteError("Cannot write file " + fileName + ": metafiles are read only");
  if (bitmap.Empty()) throw EWriteError("Cannot write file " + fileName + ": the picture is empty");
  TBytes bytes;
  try {
    bytes = codec.Encode(bitmap, {JpegQuality});
  } catch (const EImageFormat& e) {
    throw EWriteError("Cannot write file " + fileName + ": " + e.Message());
  }
  WriteWholeFile(fileName, bytes);
}
