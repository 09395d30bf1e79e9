#include "GlyphImages.h"

#include "PixelArt.h"

namespace {

// Copies the opaque pixels of `image`'s part `area` to (x, y). Each image has its own
// transparent colour, since a greyed image greys its background too.
void DrawTransparent(TCanvas& canvas, int x, int y, const TBitmap& image, const TRect& area) {
  const TPixel transparent = image.PixelAt(area.Left, area.Bottom - 1);
  for (int row = area.Top; row < area.Bottom; ++row)
    for (int column = area.Left; column < area.Right; ++column) {
      const TPixel pixel = image.PixelAt(column, row);
      if (pixel != transparent) canvas.SetPixel(x + column - area.Left, y + row - area.Top, PixelToColor(pixel));
    }
}

}  // namespace

void TGlyphImages::Assign(const TBitmap& bitmap) { FBitmap.Assign(bitmap); }

void TGlyphImages::SetNumGlyphs(int count) { FNumGlyphs = count < 1 ? 1 : count; }

TSize TGlyphImages::ImageSize() const {
  if (Empty()) return {};
  return {FBitmap.Width() / FNumGlyphs, FBitmap.Height()};
}

void TGlyphImages::Draw(TCanvas& canvas, int x, int y, bool enabled) const {
  if (Empty()) return;
  const TSize size = ImageSize();
  if (enabled || FNumGlyphs > 1) {
    const int image = enabled ? 0 : 1;
    DrawTransparent(canvas, x, y, FBitmap, Bounds(image * size.cx, 0, size.cx, size.cy));
    return;
  }
  // Without an image of its own the disabled state is a greyed copy of the enabled one.
  DrawTransparent(canvas, x, y, *GreyedCopy(FBitmap), Bounds(0, 0, size.cx, size.cy));
}
