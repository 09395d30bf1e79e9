#pragma once
#include <memory>

#include "Bitmap.h"

// The standard glyphs of the OK and Cancel button kinds: two 18x18 images side by side,
// enabled then disabled. The colour of the bottom-left pixel is transparent.
std::unique_ptr<TBitmap> OkButtonGlyph();
std::unique_ptr<TBitmap> CancelButtonGlyph();
