#pragma once

// What the program accepts from a compositor before it allocates anything for it.
constexpr int kMaxSide = 16384;  // device pixels on a side of an output or a window
constexpr int kMaxScale = 8;     // device pixels per logical pixel
