#pragma once
#include <string>

#include "ImageCodec.h"
#include "framework/base/Component.h"

class TBitmap;

// Reads and writes picture files, the format chosen by the lower-cased extension of the file
// name: ".jpg"/".jpeg", ".tif"/".tiff", ".gif", ".png", ".pcx", ".wmf", ".emf" (read only),
// and a Windows bitmap for any other.
class TImageIO : public TComponent {
 public:
  using TComponent::TComponent;

  // Replaces the bitmap's size and pixels with the picture in the file, at 24 bits per pixel.
  // A file that cannot be opened raises EFOpenError, one that is not a readable picture
  // EInvalidImage; either way the bitmap is left as it was.
  void LoadFromFile(TBitmap& bitmap, const std::string& fileName);
  // Writes the bitmap to the file, all or nothing (see WriteWholeFile). A name that is a
  // link to a file whose own name asks for another format is refused (EWriteError): the
  // bytes would disagree with the name they are read by.
  void SaveToFile(const TBitmap& bitmap, const std::string& fileName);

  TImageLimits Limits;
  int JpegQuality = 90;
  // Raised while a picture decodes, with the share done so far.
  TPercentCallback OnProgress;
};

// The lower-cased extension of a file name, with its dot (".jpg"), or "" when it has none.
std::string LowerExtension(const std::string& fileName);
