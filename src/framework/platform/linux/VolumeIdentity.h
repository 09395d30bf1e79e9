#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// What a file system's superblock says of itself.
struct TVolumeIdentity {
  std::string Label;
  std::string Uuid;  // as printed: "1A2B-3C4D" for FAT, "0a1b2c3d-..." for ext4
  std::string Type;
};

// The 32-bit serial number of a volume of the given type. NTFS gives the low half of its
// 64-bit serial; every other file system the first 8 hexadecimal digits of its UUID, which
// for FAT and exFAT ("ABCD-1234") is their whole 32-bit volume id. 0 without a UUID.
std::uint32_t VolumeSerialNumber(std::string_view uuid, std::string_view type);
