#pragma once
#include "Font.h"
#include "GlyphFace.h"

// Finds the installed face for a logical font and keeps faces and their glyphs for reuse:
// text is often drawn one character at a time.
class TGlyphRenderer {
 public:
  // The face that draws `font` (size, style and escapement applied), or null when no face is
  // installed at all. Valid until the next call.
  static TGlyphFace* FaceFor(const TFont& font);
};
