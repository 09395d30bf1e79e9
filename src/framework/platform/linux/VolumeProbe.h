#pragma once
#include <optional>
#include <string>

#include "VolumeIdentity.h"

// Reads the file system's own superblock from a block device or an image file. Nothing when
// the file cannot be opened (an ordinary user may not read disks), is neither, or holds no
// file system that can be told for certain.
std::optional<TVolumeIdentity> ProbeVolume(const std::string& path);
