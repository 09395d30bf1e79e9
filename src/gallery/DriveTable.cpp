#include "DriveTable.h"

#include <algorithm>

#include "components/DiskInfo.h"
#include "components/VekImage.h"
#include "framework/graphics/Canvas.h"
#include "framework/platform/DiskQueries.h"

namespace {

constexpr int kCellPadding = 4;
// The columns whose values are numbers, right-aligned: the size and the free space.
constexpr std::size_t kSizeColumn = 5, kFreeColumn = 6;

std::string InUnit(std::int64_t bytes, TSizeUnit unit) {
  if (bytes < 0) return "?";
  switch (unit) {
    case TSizeUnit::Bytes: return std::to_string(bytes);
    case TSizeUnit::MiB: return std::to_string(bytes >> 20);
    case TSizeUnit::GiB: return std::to_string(bytes >> 30);
  }
  return "";
}

const char* UnitName(TSizeUnit unit) {
  switch (unit) {
    case TSizeUnit::Bytes: return "bytes";
    case TSizeUnit::MiB: return "MiB";
    case TSizeUnit::GiB: return "GiB";
  }
  return "";
}

}  // namespace

std::vector<TTableRow> DriveRows(TDiskQueries& queries, TSizeUnit unit) {
  const std::string units = UnitName(unit);
  std::vector<TTableRow> rows{{"Drive", "Kind", "File system", "Label", "Serial", "Size (" + units + ")",
                               "Free (" + units + ")", "Mount point"}};
  TDiskInfo info(nullptr, queries);
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    info.SetDrive(std::string(1, letter));
    if (!info.VolumeFound()) continue;
    rows.push_back({info.Drive() + ":", info.DriveType, info.FileSystem, info.VolumeName, info.SerialNumberStr,
                    InUnit(info.DriveSize, unit), InUnit(info.DriveFree, unit), queries.MountPoint(letter)});
  }
  return rows;
}

void DrawTable(TVekImage& image, const std::vector<TTableRow>& rows, TColor stripe) {
  image.Fill(clWhite);
  if (rows.empty()) return;
  TCanvas& canvas = image.Canvas();
  canvas.Font = TFont{};
  canvas.BkMode = TBkMode::Transparent;
  const int rowHeight = canvas.TextHeight("Ag") + 2 * kCellPadding;
  std::vector<int> widths(rows.front().size(), 0);
  for (const TTableRow& row : rows)
    for (std::size_t i = 0; i < row.size() && i < widths.size(); ++i)
      widths[i] = std::max(widths[i], canvas.TextWidth(row[i]) + 2 * kCellPadding);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const int top = static_cast<int>(r) * rowHeight;
    if (r == 0) image.Rect3D(0, top, image.Width(), top + rowHeight, clBtnFace, 1, true);
    else if (r % 2 == 0) image.Rect3D(0, top, image.Width(), top + rowHeight, stripe, 0, true);
    int left = 0;
    for (std::size_t i = 0; i < rows[r].size() && i < widths.size(); ++i) {
      const int textWidth = canvas.TextWidth(rows[r][i]);
      const bool number = r > 0 && (i == kSizeColumn || i == kFreeColumn);
      canvas.Font.Color = clWindowText;
      canvas.TextOut(number ? left + widths[i] - kCellPadding - textWidth : left + kCellPadding, top + kCellPadding,
                     rows[r][i]);
      left += widths[i];
    }
  }
}
