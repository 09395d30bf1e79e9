#include "DiskInfo.h"

#include "framework/base/Exceptions.h"
#include "framework/base/IntToHex.h"
#include "framework/platform/DiskQueries.h"

namespace {

// The texts for the kinds of drive; an undetermined kind has none.
const char* KindText(TDriveKind kind) {
  switch (kind) {
    case TDriveKind::Removable: return "Disco extraible";
    case TDriveKind::Fixed: return "Disco duro";
    case TDriveKind::Remote: return "Disco remoto";
    case TDriveKind::CdRom: return "CDRom";
    case TDriveKind::RamDisk: return "Disco de RAM";
    case TDriveKind::Undetermined: break;
  }
  return nullptr;
}

std::string UpperCase(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

bool IsDriveLetter(const std::string& drive) { return drive.size() == 1 && drive[0] >= 'A' && drive[0] <= 'Z'; }

// "0012-ABCD": eight hexadecimal digits in two groups.
std::string SerialText(std::uint32_t serial) {
  const std::string hex = IntToHex(serial, 8);
  return hex.substr(0, 4) + "-" + hex.substr(4, 4);
}

}  // namespace

TDiskInfo::TDiskInfo(TComponent* owner) : TDiskInfo(owner, SystemDiskQueries()) {}

TDiskInfo::TDiskInfo(TComponent* owner, TDiskQueries& queries) : TComponent(owner), FQueries(queries) {}

void TDiskInfo::SetDrive(const std::string& value) {
  FDrive = UpperCase(value);
  // Anything but one letter names no drive: "C:" must not answer for C.
  const TDriveFacts facts = IsDriveLetter(FDrive) ? FQueries.Query(FDrive[0]) : TDriveFacts{};
  FVolumeFound = facts.Volume.has_value();
  const TVolumeInformation volume = facts.Volume.value_or(TVolumeInformation{});
  VolumeName = volume.Label;
  FileSystem = volume.FileSystem;
  SerialNumber = volume.SerialNumber;
  SerialNumberStr = SerialText(SerialNumber);
  if (const char* text = KindText(facts.Kind)) DriveType = text;
  // Without a letter there is no drive number to ask for the sizes.
  if (FDrive.empty()) throw ERangeError();
  DriveSize = facts.Space ? facts.Space->Total : -1;
  DriveFree = facts.Space ? facts.Space->Free : -1;
}
