#include "Image.h"

#include "framework/base/StoreChanged.h"
#include "framework/graphics/Canvas.h"
#include "framework/ui/core/Application.h"
#include "framework/ui/core/WinControl.h"

TBitmap& TPicture::Bitmap() {
  if (!FBitmap) {
    FBitmap = std::make_unique<TBitmap>();
    FBitmap->OnChange = [this] {
      if (OnChange) OnChange();
    };
  }
  return *FBitmap;
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

void TImage::SetStretch(bool stretch) {
  if (StoreChanged(FStretch, stretch)) Invalidate();
}

void TImage::SetCenter(bool center) {
  if (StoreChanged(FCenter, center)) Invalidate();
}

void TImage::SetAutoSize(bool autoSize) {
  if (StoreChanged(FAutoSize, autoSize)) FitToPicture();
}

bool TImage::Opaque() const {
  if (!FPicture.HasBitmap() || Transparent) return false;
  auto& bitmap = const_cast<TPicture&>(FPicture).Bitmap();
  if (FStretch) return !bitmap.Empty();
  // Centred or not, a bitmap at least as large as the control covers it.
  return bitmap.Width() >= Width() && bitmap.Height() >= Height();
}

TPoint TImage::PictureOrigin() {
  if (!FCenter) return {};
  const TBitmap& bitmap = FPicture.Bitmap();
  return {(Width() - bitmap.Width()) / 2, (Height() - bitmap.Height()) / 2};
}

void TImage::Paint(TCanvas& canvas) {
  if (!FPicture.HasBitmap()) return;
  if (FStretch) {
    canvas.StretchDraw(ClientRect(), FPicture.Bitmap());
    return;
  }
  const TPoint origin = PictureOrigin();
  canvas.Draw(origin.X, origin.Y, FPicture.Bitmap());
}

void TImage::PictureChanged() {
  FitToPicture();
  Invalidate();
}

void TImage::FitToPicture() {
  if (FAutoSize && !FPicture.Empty()) SetBounds(Left(), Top(), FPicture.Bitmap().Width(), FPicture.Bitmap().Height());
}

void TImage::Repaint() {
  if (!ShowOwnPixels()) TGraphicControl::Repaint();
}

bool TImage::ShowOwnPixels() {
  if (!ShowRows(0, Height())) return false;
  WaitShown();
  return true;
}

bool TImage::ShowRows(int top, int bottom) {
  // Rows go to the window as they lie in the bitmap: 1:1 from the control's corner.
  if (!Opaque() || FStretch || PictureOrigin() != TPoint{} || FPicture.Bitmap().PixelBits() != 32) return false;
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
