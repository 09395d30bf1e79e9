#include "UdevData.h"

#include <optional>

#include "SystemFiles.h"
#include "framework/base/IntToHex.h"

namespace {

// The byte of an escape "\xhh" at the start of `text`, or 0 when none is there.
int HexEscape(std::string_view text) {
  if (text.size() < 4 || !text.starts_with("\\x") || HexDigitValue(text[2]) < 0 || HexDigitValue(text[3]) < 0) return 0;
  return HexDigitValue(text[2]) * 16 + HexDigitValue(text[3]);
}

// The value of the line "E:name=value" in `line`, if it is that line.
std::optional<std::string_view> Property(std::string_view line, std::string_view name) {
  if (!line.starts_with("E:")) return std::nullopt;
  line.remove_prefix(2);
  if (!line.starts_with(name) || line.size() == name.size() || line[name.size()] != '=') return std::nullopt;
  return line.substr(name.size() + 1);
}

}  // namespace

std::string DecodeUdevEscapes(std::string_view text) { return DecodeEscapes(text, HexEscape); }

TVolumeIdentity ParseUdevVolume(std::string_view text) {
  TVolumeIdentity volume;
  std::optional<std::string> encodedLabel;
  for (const std::string_view line : Split(text, '\n')) {
    if (auto value = Property(line, "ID_FS_LABEL")) volume.Label = *value;
    if (auto value = Property(line, "ID_FS_LABEL_ENC")) encodedLabel = DecodeUdevEscapes(*value);
    if (auto value = Property(line, "ID_FS_UUID")) volume.Uuid = *value;
    if (auto value = Property(line, "ID_FS_TYPE")) volume.Type = *value;
  }
  if (encodedLabel) volume.Label = *encodedLabel;
  return volume;
}
