#pragma once
#include "Font.h"

// The logical font that text at an angle is drawn with: `font` turned by `escapement` tenths
// of a degree, counter-clockwise. Height, weight, italic, underline, strike-out, character
// set, pitch and colour are kept; the face named "Default" becomes the framework's default.
TFont RotatedFont(const TFont& font, int escapement);
