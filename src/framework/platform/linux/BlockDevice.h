#pragma once
#include <string>

#include "SystemTree.h"

// What sysfs tells about the block device behind a device file.
struct TBlockDevice {
  std::string Name;        // "sdb1", "sr0": the device file's own name, links followed
  std::string Number;      // "8:17"; empty when sysfs does not know the device
  bool Removable = false;  // its disk reports removable media
  bool OnUsb = false;
};

TBlockDevice FindBlockDevice(const TSystemTree& tree, const std::string& deviceFile);
