#pragma once
#include <string>

#include "ImageCodec.h"

// The bytes of a file, at most `maxBytes` of them; raises EFOpenError when it cannot be read
// and EImageFormat when it is larger.
TBytes ReadPictureFile(const std::string& fileName, std::size_t maxBytes);

// Writes all or nothing: the bytes go to a new file beside the target, which then replaces
// it in one rename, with the old file's permissions and, where the process may set them, its
// owner and group. A symbolic link is followed, and its target replaced. A file of several
// names (hard links) is written in place instead, so that every name shows the new picture.
// Raises EFCreateError when no file can be created there, or the target is not a regular
// file, and EWriteError when the bytes do not all reach the disk; the target is then as it was
// (written in place, after a failure past the claim of room for it, it may be damaged).
void WritePictureFile(const std::string& fileName, const TBytes& bytes);
