#pragma once
#include <cstdint>
#include <string>

#include "framework/base/Component.h"

class TDiskQueries;

// A non-visual component that describes one drive. Assigning a letter to Drive asks the
// system once and fills the other properties; they keep that answer until the next
// assignment. Sizes are in bytes and 64-bit, so that drives of 2 GiB and more fit.
class TDiskInfo : public TComponent {
 public:
  explicit TDiskInfo(TComponent* owner);
  // Asks `queries` instead of the machine; it must outlive the component.
  TDiskInfo(TComponent* owner, TDiskQueries& queries);

  const std::string& Drive() const { return FDrive; }
  // Stores the value upper-cased and queries it, on every assignment. A value other than
  // one letter A-Z names no drive; an empty one raises ERangeError and leaves the sizes as
  // they were.
  void SetDrive(const std::string& value);

  // Whether the last volume query found the drive.
  bool VolumeFound() const { return FVolumeFound; }

  // Plain fields: the last query wrote them, and writing them does nothing else.
  std::string DriveType;       // "Disco duro", "Disco extraible", ...; kept when the kind is not known
  std::int64_t DriveSize = 0;  // -1 when the query failed
  std::int64_t DriveFree = 0;  // what the user may still fill; -1 when the query failed
  std::string FileSystem;
  std::uint32_t SerialNumber = 0;
  std::string SerialNumberStr;  // "1A2B-3C4D"
  std::string VolumeName;

 private:
  TDiskQueries& FQueries;
  std::string FDrive = "C";
  bool FVolumeFound = false;
};
