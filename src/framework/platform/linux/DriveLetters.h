#pragma once
#include <string_view>
#include <vector>

#include "MountInfo.h"

// Linux has no drive letters; these give them. C is the file system mounted at "/"; D to Z
// are the other mounts that hold data, one letter each in the order of their mount points.
// A and B stay unassigned, and mounts beyond Z get none.
struct TLetteredMount {
  char Letter;
  TMount Mount;
  friend bool operator==(const TLetteredMount&, const TLetteredMount&) = default;
};

// Of several mounts on one mount point only the last, the one on top, is seen.
std::vector<TLetteredMount> AssignDriveLetters(const std::vector<TMount>& mounts);

// Data lives on block devices, on network shares, and in memory file systems mounted where
// removable media go; proc, sysfs, cgroup, overlay and the like hold none.
bool HoldsData(const TMount& mount);

bool IsNetworkFileSystem(std::string_view type);
bool IsMemoryFileSystem(std::string_view type);
bool IsDeviceFile(std::string_view source);
