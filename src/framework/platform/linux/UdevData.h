#pragma once
#include <string>
#include <string_view>

#include "VolumeIdentity.h"

// The volume that a udev database entry (/run/udev/data/b8:17) describes, from its
// E:ID_FS_LABEL, E:ID_FS_UUID and E:ID_FS_TYPE lines. The label comes from ID_FS_LABEL_ENC
// where present: ID_FS_LABEL has blanks and other unsafe characters replaced by "_".
TVolumeIdentity ParseUdevVolume(std::string_view text);

// Undoes udev's "\x20" escapes; a backslash not followed by one stays as it is.
std::string DecodeUdevEscapes(std::string_view text);
