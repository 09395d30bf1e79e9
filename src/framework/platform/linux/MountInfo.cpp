#include "MountInfo.h"

#include <cstddef>
#include <optional>
#include <utility>

#include "SystemFiles.h"

namespace {

constexpr std::size_t kMountPointField = 4;
constexpr std::size_t kFirstOptionalField = 6;

std::optional<TMount> ParseLine(std::string_view line) {
  const std::vector<std::string_view> fields = Split(line, ' ');  // the kernel puts single spaces
  // The optional fields end at a lone "-"; the type and the source follow it.
  std::size_t separator = kFirstOptionalField;
  while (separator < fields.size() && fields[separator] != "-") ++separator;
  if (separator + 2 >= fields.size()) return std::nullopt;
  TMount mount{DecodeMountField(fields[kMountPointField]), DecodeMountField(fields[separator + 1]),
               DecodeMountField(fields[separator + 2])};
  if (mount.MountPoint.empty() || mount.MountPoint.front() != '/') return std::nullopt;
  return mount;
}

bool IsOctal(char c) { return c >= '0' && c <= '7'; }

// The byte of an escape "\ooo" at the start of `text`, or 0 when none is there ("\000"
// included, which no path can hold).
int OctalEscape(std::string_view text) {
  if (text.size() < 4 || text[0] != '\\' || text[1] < '0' || text[1] > '3' || !IsOctal(text[2]) || !IsOctal(text[3]))
    return 0;
  return (text[1] - '0') * 64 + (text[2] - '0') * 8 + (text[3] - '0');
}

}  // namespace

std::vector<TMount> ParseMountInfo(std::string_view text) {
  std::vector<TMount> mounts;
  for (const std::string_view line : Split(text, '\n'))
    if (auto mount = ParseLine(line)) mounts.push_back(std::move(*mount));
  return mounts;
}

std::string DecodeMountField(std::string_view field) { return DecodeEscapes(field, OctalEscape); }
