#pragma once
#include <initializer_list>
#include <map>
#include <memory>
#include <string_view>

#include "Bitmap.h"
#include "Color.h"

// Small bitmaps written as rows of characters, one character a pixel, each character a colour
// of the given key. Glyphs are kept this way so that they can be read and edited as text.
std::unique_ptr<TBitmap> BitmapFromArt(std::initializer_list<std::string_view> rows, const std::map<char, TColor>& key);

// Places `right` beside `left` in one bitmap of both widths: a button's two glyph images.
std::unique_ptr<TBitmap> SideBySide(const TBitmap& left, const TBitmap& right);

// A greyed copy for a disabled control: every pixel's grey level, lightened.
std::unique_ptr<TBitmap> GreyedCopy(const TBitmap& source);
