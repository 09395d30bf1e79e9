#pragma once
#include <cstdint>

class TBitmap;
class TPaletteLookup;
class TQuenbrel;

// Paints the effect's static pattern into every pixel of a 32-bit bitmap: pixel (x, y) is
// the palette entry p + q with
//   p = trunc((cos x + 1) * (y * 255 / (H - 1))),  q = trunc((cos y + 1) * (x * 255 / (W - 1))),
// cosines from the engine's table in degrees and each product in 80-bit extended precision
// (a one-pixel-wide or -high bitmap has a factor of 0 along that axis). The result is the
// same bit for bit; it is computed in double precision wherever that provably gives it.
// The palette is the engine's; (p + q) mod 256 of every pixel goes to `indexes` as well, row
// after row.
void PaintSourcePattern(const TQuenbrel& engine, const TPaletteLookup& palette, TBitmap& bitmap, std::uint8_t* indexes);
