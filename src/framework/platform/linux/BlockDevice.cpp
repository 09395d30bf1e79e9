#include "BlockDevice.h"

#include <filesystem>
#include <optional>

#include "SystemFiles.h"

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kAttributeLimit = 4096;

std::string Attribute(const fs::path& folder, const char* name) {
  return Trimmed(ReadSystemFile((folder / name).string(), kAttributeLimit).value_or(""));
}

// Links such as /dev/disk/by-label/... or /dev/mapper/... lead to the kernel's own name.
std::string DeviceName(const TSystemTree& tree, const std::string& deviceFile) {
  std::error_code error;
  const fs::path resolved = fs::canonical(tree.Root + deviceFile, error);
  return (error ? fs::path(deviceFile) : resolved).filename().string();
}

// The part of `path` below the folder `top`, so that only sysfs's own folders are looked at.
std::string PathInside(const std::string& top, const fs::path& path) {
  std::error_code error;
  const std::string prefix = fs::canonical(top, error).string();
  const std::string whole = path.string();
  return !error && whole.starts_with(prefix) ? whole.substr(prefix.size()) : whole;
}

}  // namespace

TBlockDevice FindBlockDevice(const TSystemTree& tree, const std::string& deviceFile) {
  TBlockDevice device;
  device.Name = DeviceName(tree, deviceFile);
  if (device.Name.empty() || device.Name == "." || device.Name == "..") return device;
  std::error_code error;
  const fs::path node = fs::canonical(fs::path(tree.Sys) / "class/block" / device.Name, error);
  if (error) return device;
  // A partition's folder lies inside its disk's, and only the disk says whether it is removable.
  const fs::path disk = fs::exists(node / "partition", error) ? node.parent_path() : node;
  device.Number = Attribute(node, "dev");
  device.Removable = Attribute(disk, "removable") == "1";
  device.OnUsb = PathInside(tree.Sys, node).find("/usb") != std::string::npos;
  return device;
}
