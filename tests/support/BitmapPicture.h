#pragma once
// Renders a small bitmap as text, one line per row, so that tests can state whole pictures.
#include <map>
#include <string>

#include "framework/base/Types.h"
#include "framework/graphics/Bitmap.h"

// One character per pixel: the legend's character for the pixel's colour, '?' for others.
std::string BitmapPicture(const TBitmap& bitmap, const std::map<TColor, char>& legend);

// The smallest rectangle holding every pixel that differs from `background` (empty if none).
TRect InkBounds(const TBitmap& bitmap, TColor background);
// The same within `area`, which lies inside the bitmap.
TRect InkBounds(const TBitmap& bitmap, TColor background, const TRect& area);

// Fills the whole bitmap with one plain colour by direct pixel writes.
void FillBitmap(TBitmap& bitmap, TColor color);
