#pragma once
#include <cstdint>
#include <vector>

#include "framework/platform/Input.h"

// A two-colour cursor picture as premultiplied ARGB pixel words, row by row, each pixel of the
// picture `scale` device pixels on a side: black, white, or transparent.
std::vector<std::uint32_t> CursorPixels(const TCursorImage& image, int scale);
