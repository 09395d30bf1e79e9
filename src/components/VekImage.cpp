#include "VekImage.h"

#include "imaging/ImageIO.h"
#include "imaging/ImageProc.h"

TVekImage::TVekImage(TComponent* owner)
    : TImage(owner), FImageIO(new TImageIO(this)), FImageProc(new TImageProc(this)) {}

TVekImage::~TVekImage() {
  delete FImageIO;
  delete FImageProc;
}

void TVekImage::SetHeight(int h) {
  if (h <= 0) return;
  TImage::SetHeight(h);
  Bits().SetHeight(Height());
}

void TVekImage::SetWidth(int w) {
  if (w <= 0) return;
  TImage::SetWidth(w);
  Bits().SetWidth(Width());
}

void TVekImage::SetHeightWidth(int h, int w) {
  SetHeight(h);
  SetWidth(w);
}

void TVekImage::Resize() {
  TBitmap& bitmap = Bits();
  if (bitmap.Height() != Height()) bitmap.SetHeight(Height());
  if (bitmap.Width() != Width()) bitmap.SetWidth(Width());
}

bool TVekImage::PixelIn(int x, int y) {
  const TBitmap& bitmap = Bits();
  return x >= 0 && x < bitmap.Width() && y >= 0 && y < bitmap.Height();
}

void TVekImage::PixelOpen() {
  Bits().SetPixelBits(32);
  PixelRowSet(0);
}

void TVekImage::PixelRowSet(int y) {
  FRow = y;
  if (!PixelIn(0, y)) return;
  // A load or a turn leaves 24-bit rows, too short for the pixel words PixelSet writes.
  TBitmap& bitmap = Bits();
  bitmap.SetPixelBits(32);
  FRowPixels = bitmap.Row32(y);
  FRowGeneration = bitmap.Generation();
}

std::uint32_t* TVekImage::CurrentRow() {
  // A resize or format change replaces the pixel memory; a row fetched before is then stale.
  if (FRowGeneration != Bits().Generation()) return nullptr;
  return FRowPixels;
}

void TVekImage::PixelSet(int x, TColor c) {
  if (!PixelIn(x, FRow)) return;
  if (std::uint32_t* row = CurrentRow()) row[x] = ColorToPixel(c);
}

void TVekImage::PixelSet(int x, int y, TColor c) {
  if (!PixelIn(x, y)) return;
  TBitmap& bitmap = Bits();
  bitmap.SetPixelBits(32);
  FRowPixels = bitmap.Row32(y);
  FRowGeneration = bitmap.Generation();
  FRowPixels[x] = ColorToPixel(c);
}

void TVekImage::PixelClose() { Repaint(); }
