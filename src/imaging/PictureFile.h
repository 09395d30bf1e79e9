#pragma once
#include <string>

#include "ImageCodec.h"

// The bytes of a file, at most `maxBytes` of them; raises EFOpenError when it cannot be read
// and EImageFormat when it is larger.
TBytes ReadPictureFile(const std::string& fileName, std::size_t maxBytes);
