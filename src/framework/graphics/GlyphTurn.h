#pragma once
#include "GlyphFace.h"

// The glyph turned counter-clockwise by quarter turns about its origin, bit for bit: text at
// right angles shows exactly the upright glyphs, which the font engine's rasteriser, drawing
// a turned outline, does not promise.
TGlyph TurnedGlyph(const TGlyph& glyph, int quarters);
