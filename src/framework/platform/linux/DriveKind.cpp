#include "DriveKind.h"

#include "DriveLetters.h"

TDriveKind DriveKindOf(const TMount& mount, const TBlockDevice& device) {
  const std::string_view type = mount.FileSystemType;
  const std::string_view name = device.Name;
  if (IsNetworkFileSystem(type)) return TDriveKind::Remote;
  if (name.starts_with("sr") || type == "iso9660" || type == "udf") return TDriveKind::CdRom;
  if (IsMemoryFileSystem(type) || name.starts_with("ram") || name.starts_with("zram")) return TDriveKind::RamDisk;
  if (!IsDeviceFile(mount.Source)) return TDriveKind::Undetermined;
  return device.Removable || device.OnUsb ? TDriveKind::Removable : TDriveKind::Fixed;
}
