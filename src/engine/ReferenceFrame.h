#pragma once

class TQuenbrel;

// NextFrame spelled out one pixel at a time, exactly as the effect is defined: the yardstick
// for the optimised frame loop, in tests and in the benchmarks.
void ReferenceNextFrame(TQuenbrel& engine);
