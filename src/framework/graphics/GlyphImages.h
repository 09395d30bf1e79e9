#pragma once
#include "Bitmap.h"
#include "Canvas.h"

// A button's glyph: one bitmap holding NumGlyphs images of equal width side by side, the
// first for the enabled state, the second (when there is one) for the disabled state. The
// colour of each image's bottom-left pixel is transparent in it.
class TGlyphImages {
 public:
  bool Empty() const { return FBitmap.Empty(); }
  const TBitmap& Bitmap() const { return FBitmap; }
  void Assign(const TBitmap& bitmap);
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int count);
  // The size of one image; {0, 0} without a glyph.
  TSize ImageSize() const;
  // Draws the image for the state with its top-left corner at (x, y).
  void Draw(TCanvas& canvas, int x, int y, bool enabled) const;

 private:
  TBitmap FBitmap;
  int FNumGlyphs = 1;
};
