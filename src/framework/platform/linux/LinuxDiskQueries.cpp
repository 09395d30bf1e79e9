#include "LinuxDiskQueries.h"

#include <algorithm>
#include <utility>

#include "BlockDevice.h"
#include "DriveKind.h"
#include "FileSystemSpace.h"
#include "SystemFiles.h"
#include "UdevData.h"
#include "VolumeProbe.h"

namespace {

// Far beyond any real table (a mount takes about 100 bytes), so that a runaway file stops.
constexpr std::size_t kMountInfoLimit = 16 << 20;
constexpr std::size_t kUdevEntryLimit = 1 << 20;

}  // namespace

TLinuxDiskQueries::TLinuxDiskQueries(TSystemTree tree) : FTree(std::move(tree)) {}

std::vector<TLetteredMount> TLinuxDiskQueries::Drives() const {
  const std::optional<std::string> text = ReadSystemFile(FTree.MountInfo, kMountInfoLimit);
  return text ? AssignDriveLetters(ParseMountInfo(*text)) : std::vector<TLetteredMount>{};
}

TDriveFacts TLinuxDiskQueries::Query(char letter) {
  const std::vector<TLetteredMount> drives = Drives();
  const auto drive = std::find_if(drives.begin(), drives.end(),
                                  [&](const TLetteredMount& candidate) { return candidate.Letter == letter; });
  if (drive == drives.end()) return {};
  const TMount& mount = drive->Mount;
  const TBlockDevice device = IsDeviceFile(mount.Source) ? FindBlockDevice(FTree, mount.Source) : TBlockDevice{};
  return {VolumeOf(mount, device), DriveKindOf(mount, device), FileSystemSpace(FTree.Root + mount.MountPoint)};
}

std::string TLinuxDiskQueries::MountPoint(char letter) {
  for (const TLetteredMount& drive : Drives())
    if (drive.Letter == letter) return drive.Mount.MountPoint;
  return {};
}

// The superblock when it can be read; the udev database otherwise (an ordinary user);
// nothing at all for what lives on no device.
TVolumeIdentity TLinuxDiskQueries::IdentityOf(const TMount& mount, const TBlockDevice& device) const {
  if (!IsDeviceFile(mount.Source)) return {};
  if (auto probed = ProbeVolume(FTree.Root + mount.Source)) return *probed;
  if (device.Number.empty()) return {};
  const auto entry = ReadSystemFile(FTree.UdevData + "/b" + device.Number, kUdevEntryLimit);
  return entry ? ParseUdevVolume(*entry) : TVolumeIdentity{};
}

TVolumeInformation TLinuxDiskQueries::VolumeOf(const TMount& mount, const TBlockDevice& device) const {
  const TVolumeIdentity identity = IdentityOf(mount, device);
  // A file system in user space on a device reports "fuseblk"; its superblock knows better.
  const bool fuseblk = mount.FileSystemType == "fuseblk" && !identity.Type.empty();
  const std::string type = fuseblk ? identity.Type : mount.FileSystemType;
  return {identity.Label, type, VolumeSerialNumber(identity.Uuid, type)};
}

TDiskQueries& SystemDiskQueries() {
  static TLinuxDiskQueries queries;
  return queries;
}
