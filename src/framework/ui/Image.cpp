#include "Image.h"

#include "Application.h"
#include "framework/graphics/Canvas.h"
#include "WinControl.h"

TBitmap& TPicture::Bitmap() {
  if (!FBitmap) {
    FBitmap = std::make_unique<TBitmap>();
    FBitmap->OnChange = [this] {
      if (OnChange) OnChange();
    };
  }
  return *FBitmap;
}

void TPicture::Replace(std::unique_ptr<TBitmap> bitmap) {
  FBitmap = std::move(bitmap);
  if (FBitmap) {
    FBitmap->OnChange = [this] {
      if (OnChange) OnChange();
    };
  }
  if (OnChange) OnChange();
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(0, 0, 105, 105);
  FPicture.OnChange = [this] { PictureChanged(); };
}

TImage::~TImage() = default;

TCanvas& TImage::Canvas() {
  if (FPicture.Empty()) FPicture.Bitmap().SetSize(Width(), Height());
  return FPicture.Bitmap().Canvas();
}

bool TImage::Opaque() const {
  if (!FPicture.HasBitmap() || Transparent) return false;
  auto& bitmap = const_cast<TPicture&>(FPicture).Bitmap();
  return Stretch || (bitmap.Width() >= Width() && bitmap.Height() >= Height());
}

void TImage::Paint(TCanvas& canvas) {
  if (FPicture.HasBitmap()) canvas.Draw(0, 0, FPicture.Bitmap());
}

void TImage::PictureChanged() { Invalidate(); }

void TImage::Repaint() {
  if (!ShowOwnPixels()) TGraphicControl::Repaint();
}

bool TImage::ShowOwnPixels() {
  if (!ShowRows(0, Height())) return false;
  WaitShown();
  return true;
}

bool TImage::ShowRows(int top, int bottom) {
  if (!Opaque() || Stretch || FPicture.Bitmap().PixelBits() != 32) return false;
  // Through the parents, each clipping to its own client area.
  if (Showing())
    Parent()->PutWindowPixels(FPicture.Bitmap(), {0, top, Width(), bottom}, {Left(), Top() + top}, TPutMode::NoWait);
  return true;
}

void TImage::WaitShown() {
  if (Showing() && Application && Application->HasWindowSystem()) Application->WindowSystem().Flush();
}

void TImage::ParentChanged() {
  if (Parent() && Application && Application->HasWindowSystem())
    FPicture.Bitmap().SetMemoryProvider(Application->WindowSystem().PixelMemory());
}
