#pragma once
#include <cstdint>
#include <optional>
#include <string>

// What the system tells about one drive, named by its letter, 'A' to 'Z'.

enum class TDriveKind { Undetermined, Removable, Fixed, Remote, CdRom, RamDisk };

struct TVolumeInformation {
  std::string Label;
  std::string FileSystem;
  std::uint32_t SerialNumber = 0;
};

// Bytes; Free is the space the calling user may still fill.
struct TDiskSpace {
  std::int64_t Total = 0;
  std::int64_t Free = 0;
};

struct TDriveFacts {
  std::optional<TVolumeInformation> Volume;  // nothing when the letter names no volume
  TDriveKind Kind = TDriveKind::Undetermined;
  std::optional<TDiskSpace> Space;  // nothing when the sizes cannot be read
};

// The disk queries behind drive letters. One call answers everything from one look at the
// system, so that a mount coming or going meanwhile cannot mix two drives in one answer.
class TDiskQueries {
 public:
  virtual ~TDiskQueries() = default;
  virtual TDriveFacts Query(char letter) = 0;
  // Where the drive's files are found (a folder), or nothing when the system cannot say.
  virtual std::string MountPoint(char) { return {}; }
};

// The machine's own drives, made by the platform's implementation.
TDiskQueries& SystemDiskQueries();
