#pragma once

class TBitmap;
class TQuenbrel;

// The source pattern spelled out one pixel at a time, each product in extended precision and
// truncated, as the engine once drew it: the yardstick for the fast pattern in tests and in
// the benchmarks.
void ReferencePaintSource(const TQuenbrel& engine, TBitmap& bitmap);
