#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "framework/graphics/Color.h"

class TDiskQueries;
class TVekImage;

enum class TSizeUnit : std::uint8_t { Bytes, MiB, GiB };

using TTableRow = std::vector<std::string>;

// The lettered drives as TDiskInfo describes them, a header row first: letter, kind, file
// system, label, serial, size and free space in `unit` (whole units, rounded down), and the
// folder where the drive's files are.
std::vector<TTableRow> DriveRows(TDiskQueries& queries, TSizeUnit unit);

// Draws `rows` as a table over the whole surface: the header row raised, the others on
// white and `stripe` in turn, the numbers right-aligned.
void DrawTable(TVekImage& image, const std::vector<TTableRow>& rows, TColor stripe);
