#pragma once
#include <vector>

#include "DriveLetters.h"
#include "SystemTree.h"
#include "VolumeIdentity.h"
#include "framework/platform/DiskQueries.h"

struct TBlockDevice;

// Drive letters on Linux, read afresh from mountinfo at every query: labels and serial
// numbers from the superblock through libblkid, else from the udev database; the file system
// type from the mount; the kind from the type, the device and sysfs; sizes from statvfs.
class TLinuxDiskQueries : public TDiskQueries {
 public:
  explicit TLinuxDiskQueries(TSystemTree tree = {});
  TDriveFacts Query(char letter) override;
  std::string MountPoint(char letter) override;
  // The lettered drives as the system shows them now.
  std::vector<TLetteredMount> Drives() const;

 private:
  TVolumeIdentity IdentityOf(const TMount& mount, const TBlockDevice& device) const;
  TVolumeInformation VolumeOf(const TMount& mount, const TBlockDevice& device) const;

  TSystemTree FTree;
};
