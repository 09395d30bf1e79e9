#pragma once
#include <initializer_list>
#include <map>
#include <memory>
#include <string_view>

#include "Bitmap.h"
#include "Color.h"
#include "framework/base/Types.h"

// Small bitmaps written as rows of characters, one character a pixel, each character a colour
// of the given key. Glyphs are kept this way so that they can be read and edited as text.
std::unique_ptr<TBitmap> BitmapFromArt(std::initializer_list<std::string_view> rows, const std::map<char, TColor>& key);

// Places `right` beside `left` in one bitmap of both widths: a button's two glyph images.
std::unique_ptr<TBitmap> SideBySide(const TBitmap& left, const TBitmap& right);

// A greyed copy for a disabled control: every pixel's grey level, lightened.
std::unique_ptr<TBitmap> GreyedCopy(const TBitmap& source);

// The part `area` of a picture at twice its size, each pixel's four quarters taking the colour
// of the neighbours they lie between where those agree (the classic pixel-art doubling): edges
// and diagonals stay sharp and stepped at the finer pixels, not cut into blocks of four.
std::unique_ptr<TBitmap> DoubledPixelArt(const TBitmap& source, const TRect& area);
