#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "framework/platform/DiskQueries.h"

// The size of the file system that holds `path`, and the space left to the calling user;
// nothing when statvfs fails.
std::optional<TDiskSpace> FileSystemSpace(const std::string& path);

// Counts of fragments in bytes, in 64 bits, saturating rather than wrapping.
TDiskSpace SpaceFromCounts(std::uint64_t totalFragments, std::uint64_t availableFragments, std::uint64_t fragmentSize);
