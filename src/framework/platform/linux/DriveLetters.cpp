#include "DriveLetters.h"

#include <algorithm>
#include <array>
#include <map>
#include <string>

namespace {

bool IsAtOrUnder(std::string_view path, std::string_view folder) {
  return path.starts_with(folder) && (path.size() == folder.size() || path[folder.size()] == '/');
}

bool IsUnderMediaFolders(std::string_view mountPoint) {
  return IsAtOrUnder(mountPoint, "/media") || IsAtOrUnder(mountPoint, "/mnt") || IsAtOrUnder(mountPoint, "/run/media");
}

}  // namespace

bool IsNetworkFileSystem(std::string_view type) {
  static constexpr std::array<std::string_view, 7> kTypes{"nfs", "nfs4", "cifs", "smb3", "9p", "ceph", "fuse.sshfs"};
  return std::find(kTypes.begin(), kTypes.end(), type) != kTypes.end();
}

bool IsMemoryFileSystem(std::string_view type) { return type == "tmpfs" || type == "ramfs"; }

bool IsDeviceFile(std::string_view source) { return source.starts_with("/dev/"); }

bool HoldsData(const TMount& mount) {
  return IsDeviceFile(mount.Source) || IsNetworkFileSystem(mount.FileSystemType) ||
         (IsMemoryFileSystem(mount.FileSystemType) && IsUnderMediaFolders(mount.MountPoint));
}

std::vector<TLetteredMount> AssignDriveLetters(const std::vector<TMount>& mounts) {
  std::map<std::string_view, const TMount*> onTop;  // by mount point, in byte order
  for (const TMount& mount : mounts) onTop[mount.MountPoint] = &mount;
  std::vector<TLetteredMount> drives;
  if (const auto root = onTop.find("/"); root != onTop.end()) drives.push_back({'C', *root->second});
  char next = 'D';
  for (const auto& [mountPoint, mount] : onTop) {
    if (next > 'Z') break;
    if (mountPoint == "/" || !HoldsData(*mount)) continue;
    drives.push_back({next++, *mount});
  }
  return drives;
}
