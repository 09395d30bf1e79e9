#include "VolumeIdentity.h"

#include "framework/base/IntToHex.h"

std::uint32_t VolumeSerialNumber(std::string_view uuid, std::string_view type) {
  std::string digits;  // the UUID's leading hexadecimal digits, dashes left out, at most 16
  for (const char c : uuid) {
    if (c == '-') continue;
    if (HexDigitValue(c) < 0 || digits.size() == 16) break;
    digits += c;
  }
  const bool lowHalf = type.starts_with("ntfs") && digits.size() > 8;
  const std::string_view chosen = std::string_view(digits).substr(lowHalf ? digits.size() - 8 : 0, 8);
  std::uint32_t serial = 0;
  for (const char c : chosen) serial = serial << 4 | static_cast<std::uint32_t>(HexDigitValue(c));
  return serial;
}
