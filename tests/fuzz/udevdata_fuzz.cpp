// links: quenbrel_linux
// The udev database entry parser and the serial numbers drawn from it, on any text.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "framework/platform/linux/UdevData.h"
#include "framework/platform/linux/VolumeIdentity.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const TVolumeIdentity volume = ParseUdevVolume(text);
  if (volume.Label.size() > size || volume.Uuid.size() > size || volume.Type.size() > size) __builtin_trap();
  VolumeSerialNumber(volume.Uuid, volume.Type);
  VolumeSerialNumber(volume.Uuid, "ntfs");
  return 0;
}
