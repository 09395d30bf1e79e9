#pragma once
#include <string>

#include "ImageCodec.h"

// The bytes of a file, at most `maxBytes` of them; raises EFOpenError when it cannot be read
// and EImageFormat when it is larger.
TBytes ReadPictureFile(const std::string& fileName, std::size_t maxBytes);

// Writes all or nothing: the bytes go to a new file beside the target, which then replaces
// it in one rename. Raises EFCreateError when no file can be created there and EWriteError
// when the bytes do not all reach the disk; the target is then as it was.
void WritePictureFile(const std::string& fileName, const TBytes& bytes);
