// Lists every lettered drive of this machine in a table, as TDiskInfo describes each.
//
//   quenbrel-drives
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "components/DiskInfo.h"
#include "framework/base/Utf8.h"
#include "framework/platform/linux/LinuxDiskQueries.h"

namespace {

using TRow = std::vector<std::string>;

// Mount points and labels may hold tabs and line ends; the table shows them as "?".
std::string Printable(std::string text) {
  for (char& c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  return text;
}

TRow DescribeDrive(TLinuxDiskQueries& queries, const TLetteredMount& drive) {
  TDiskInfo info(nullptr, queries);
  info.SetDrive(std::string(1, drive.Letter));
  if (!info.VolumeFound()) return {};  // unmounted meanwhile
  return {info.Drive() + ":",
          info.DriveType,
          info.FileSystem,
          Printable(info.VolumeName),
          info.SerialNumberStr,
          std::to_string(info.DriveSize),
          std::to_string(info.DriveFree),
          Printable(drive.Mount.MountPoint)};
}

void PrintTable(const std::vector<TRow>& rows) {
  std::vector<std::size_t> widths(rows.front().size());
  for (const TRow& row : rows)
    for (std::size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], DecodeUtf8(row[i]).size());
  for (const TRow& row : rows) {
    std::string line;
    for (std::size_t i = 0; i < row.size(); ++i) {
      line += row[i];
      if (i + 1 < row.size()) line += std::string(widths[i] - DecodeUtf8(row[i]).size() + 2, ' ');
    }
    std::cout << line << '\n';
  }
}

}  // namespace

int main() {
  TLinuxDiskQueries queries;
  std::vector<TRow> rows{
      {"Drive", "Kind", "File system", "Label", "Serial", "Size (bytes)", "Free (bytes)", "Mount point"}};
  for (const TLetteredMount& drive : queries.Drives())
    if (TRow row = DescribeDrive(queries, drive); !row.empty()) rows.push_back(std::move(row));
  PrintTable(rows);
  return 0;
}
