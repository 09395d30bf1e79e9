#pragma once
#include <string>

// Where the drive queries read the system: the machine's own files, or a fixture tree.
struct TSystemTree {
  std::string MountInfo = "/proc/self/mountinfo";
  std::string Sys = "/sys";
  std::string UdevData = "/run/udev/data";
  // Put before device files and mount points; empty on the machine itself.
  std::string Root;
};
