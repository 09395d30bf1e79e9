#pragma once
#include <cstdint>

#include "framework/base/Types.h"
#include "framework/graphics/Color.h"

class TCanvas;

enum class TFillDirection : std::uint8_t { fdTopToBottom, fdBottomToTop, fdLeftToRight, fdRightToLeft };

// Fills r with `count` solid bands running from `start` to `end` in the given direction.
// Bands are laid out from the top or the left, each as wide as r's extent allows evenly; the
// rows or columns left over at the far end take the far end's colour. Fewer than two bands
// fill r with `start` alone. Nothing is drawn outside r.
void GradientFillRect(TCanvas& canvas, const TRect& r, TColor start, TColor end, TFillDirection direction, int count);
