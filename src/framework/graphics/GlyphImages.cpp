#include "GlyphImages.h"

#include "PixelArt.h"

#include <cstdint>
#include <memory>

namespace {

// At a scale of 2, 4 or 8 the image is doubled as pixel art as often as that takes, and put
// on the canvas through a mask: its transparent pixels and-ed away, the rest or-ed in.
bool DrawDoubled(TCanvas& canvas, int x, int y, const TBitmap& image, const TRect& area) {
  const double factor = canvas.Scale().Factor();
  if (factor != 2 && factor != 4 && factor != 8) return false;
  const TPixel transparent = image.PixelAt(area.Left, area.Bottom - 1);
  std::unique_ptr<TBitmap> art = DoubledPixelArt(image, area);
  for (double done = 2; done < factor; done *= 2) art = DoubledPixelArt(*art, {0, 0, art->Width(), art->Height()});
  TBitmap mask(art->Width(), art->Height());
  for (int row = 0; row < art->Height(); ++row)
    for (int column = 0; column < art->Width(); ++column) {
      const bool clear = art->PixelAt(column, row) == transparent;
      mask.SetPixelAt(column, row, clear ? 0xFFFFFF : 0);
      if (clear) art->SetPixelAt(column, row, 0);
    }
  const std::uint32_t copyMode = canvas.CopyMode;
  const TRect place = Bounds(x, y, area.Width(), area.Height());
  canvas.CopyMode = SRCAND;
  canvas.StretchDraw(place, mask);
  canvas.CopyMode = SRCPAINT;
  canvas.StretchDraw(place, *art);
  canvas.CopyMode = copyMode;
  return true;
}

// Copies the opaque pixels of `image`'s part `area` to (x, y). Each image has its own
// transparent colour, since a greyed image greys its background too.
void DrawTransparent(TCanvas& canvas, int x, int y, const TBitmap& image, const TRect& area) {
  if (DrawDoubled(canvas, x, y, image, area)) return;
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
