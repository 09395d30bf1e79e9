#pragma once
#include <memory>

#include "framework/graphics/Bitmap.h"

// The program's own glyphs.

// The about button's light bulb: two 16x16 images, lit (enabled) then grey (disabled).
std::unique_ptr<TBitmap> LightBulbGlyph();

enum class TFlag { UnionFlag, Galician, Spanish };
// A 27x16 flag with a waving shade, 24 bits per pixel.
std::unique_ptr<TBitmap> FlagGlyph(TFlag flag);
