// links: quenbrel_linux
// The mount table parser and the drive letters drawn from it, on any text.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "framework/platform/linux/DriveKind.h"
#include "framework/platform/linux/DriveLetters.h"
#include "framework/platform/linux/MountInfo.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::vector<TMount> mounts = ParseMountInfo(text);
  for (const TMount& mount : mounts)
    if (mount.MountPoint.empty() || mount.MountPoint.front() != '/' || mount.MountPoint.size() > size) __builtin_trap();
  char previous = 'B';
  for (const TLetteredMount& drive : AssignDriveLetters(mounts)) {
    if (drive.Letter <= previous || drive.Letter > 'Z') __builtin_trap();
    if (drive.Letter != 'C' && !HoldsData(drive.Mount)) __builtin_trap();
    previous = drive.Letter;
    DriveKindOf(drive.Mount, TBlockDevice{});
  }
  return 0;
}
