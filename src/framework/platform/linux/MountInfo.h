#pragma once
#include <string>
#include <string_view>
#include <vector>

// One line of /proc/self/mountinfo, the fields the drive letters need, decoded.
struct TMount {
  std::string MountPoint;  // always absolute
  std::string FileSystemType;
  std::string Source;  // the device file for a block device, "server:/path" for NFS, ...
  friend bool operator==(const TMount&, const TMount&) = default;
};

// The mounts of a mountinfo text, in its order. A line that lacks the fields, or whose
// mount point is not absolute, is passed over.
std::vector<TMount> ParseMountInfo(std::string_view text);

// Undoes the kernel's escapes of blanks, line ends and backslashes in a field: "\040" is a
// space. A backslash not followed by such an escape stays as it is.
std::string DecodeMountField(std::string_view field);
