#pragma once
#include <memory>

#include "framework/graphics/Bitmap.h"
#include "framework/ui/core/Control.h"

// Holds the picture of an image control: one bitmap, made on first request.
class TPicture {
 public:
  TBitmap& Bitmap();
  // No picture to show: no bitmap yet, or one without pixels.
  bool Empty() const { return !FBitmap || FBitmap->Empty(); }
  bool HasBitmap() const { return FBitmap != nullptr; }

  // Raised when the picture changed through its canvas.
  std::function<void()> OnChange;

 private:
  std::unique_ptr<TBitmap> FBitmap;
};

// A control that shows one bitmap: 1:1 at its top-left corner, centred, or stretched to the
// control's size.
class TImage : public TGraphicControl {
 public:
  explicit TImage(TComponent* owner);
  ~TImage() override;

  TPicture& Picture() { return FPicture; }
  // The bitmap's canvas; an empty picture first gets a bitmap of the control's size.
  TCanvas& Canvas();

  // Stretch: the picture is scaled to the control (and Center does nothing).
  bool Stretch() const { return FStretch; }
  void SetStretch(bool stretch);
  // Center: the picture's middle lies on the control's middle.
  bool Center() const { return FCenter; }
  void SetCenter(bool center);
  // AutoSize: the control takes the picture's size whenever the picture changes.
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool autoSize);
  bool Transparent = false;
  bool IncrementalDisplay = false;

  // Opaque: the bitmap covers the whole control and is not transparent.
  bool Opaque() const;

  void Paint(TCanvas& canvas) override;
  // An opaque image goes straight from its bitmap to the window, without a paint cycle.
  void Repaint() override;
  bool ShowOwnPixels() override;
  // Shows rows top ... bottom - 1 straight from the bitmap without waiting for the display
  // to take them, so that a writer filling the bitmap band by band overlaps its drawing with
  // the display's copy; it calls WaitShown before it writes into shown rows again (or,
  // drawing frame by frame, begins the next frame: TBitmap::BeginFrame). False when the
  // image cannot go straight to the window (then Repaint is the way).
  bool ShowRows(int top, int bottom);
  // Returns once the display has taken every row shown.
  void WaitShown();

 protected:
  // A shown image takes its pixel memory from the window system, so that a frame written
  // into it reaches the screen without a copy.
  void ParentChanged() override;

 private:
  void PictureChanged();
  void FitToPicture();
  // Where the bitmap's top-left corner lies unless stretched, in the control's coordinates.
  TPoint PictureOrigin();

  TPicture FPicture;
  bool FStretch = false;
  bool FCenter = false;
  bool FAutoSize = false;
};
