#pragma once
#include <string>
#include <vector>

#include "framework/platform/linux/SystemTree.h"
#include "support/TempDir.h"

// A made-up machine for the drive queries, in a temporary folder: its mountinfo, a sysfs with
// block devices, a udev database, and device files and mount points under the same root.
class TDriveTree {
 public:
  // Where the queries look: "mountinfo", "sys/", "udev/" and the root itself.
  TSystemTree Paths() const;
  std::string Path(const std::string& inside) const { return FDir.Path() + inside; }

  void MountInfo(const std::vector<std::string>& lines);
  // Writes `text` to the file at `inside` ("/udev/b8:17"), making the folders on the way.
  void Write(const std::string& inside, const std::string& text);
  void Folder(const std::string& inside);
  void Link(const std::string& inside, const std::string& target);

  // A disk in sysfs at devices/BUS/block/DISK, numbered MAJOR:MINOR, with its partitions
  // ("sdb1", ...) numbered on from the disk, each reachable as class/block/NAME.
  void Disk(const std::string& bus, const std::string& disk, int major, int minor, bool removable,
            const std::vector<std::string>& partitions = {});
  // The udev database entry of the block device MAJOR:MINOR.
  void Udev(const std::string& number, const std::vector<std::string>& properties);

 private:
  void BlockNode(const std::string& folder, const std::string& name, int major, int minor);

  TTempDir FDir;
};

// File-system images made by the system's own tools, as on a freshly formatted stick.
void MakeVfatImage(const std::string& file, const std::string& label, const std::string& volumeId);
void MakeExt4Image(const std::string& file, const std::string& label, const std::string& uuid);

// The standard output of a program run to its end; throws when it fails. A name without a
// "/" is looked for in PATH and in the system folders /usr/sbin and /sbin.
std::string RunProgram(const std::vector<std::string>& arguments);
