#pragma once

class TBitmap;

// Turns a 24- or 32-bit picture counter-clockwise by quarters (1, 2 or 3) into `out`, a 24-bit
// bitmap of the turned size: an exact permutation of the pixels.
void QuarterTurn(const TBitmap& in, int quarters, TBitmap& out);
