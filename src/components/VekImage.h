#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "framework/graphics/Bitmap.h"
#include "framework/ui/Image.h"

class TImageIO;
class TImageProc;

enum class TProgressStage : std::uint8_t { psStarting, psRunning, psEnding };
using TProgressEvent = std::function<void(TComponent* sender, TProgressStage stage, int percentDone)>;

// The image control of the component library: a bitmap with direct 32-bit row access,
// shown 1:1 in its parent window or used off screen without a parent.
class TVekImage : public TImage {
 public:
  explicit TVekImage(TComponent* owner);
  ~TVekImage() override;

  // Sizes of 0 or less are ignored; the bitmap follows the control's resulting size.
  void SetHeight(int h);
  void SetWidth(int w);
  void SetHeightWidth(int h, int w);
  // Brings the bitmap to the control's size (never called by the framework itself).
  virtual void Resize();

  // Row-wise pixel writing: PixelOpen, then PixelRowSet(y) and PixelSet(x, c) per row, PixelClose.
  bool PixelIn(int x, int y);
  void PixelOpen();
  void PixelRowSet(int y);
  void PixelSet(int x, TColor c);
  void PixelSet(int x, int y, TColor c);
  void PixelClose();

  int Row() const { return FRow; }

  // Picture files and rotation (VekImageFiles.cpp). A failed load or rotation leaves the
  // picture and the control's size as they were; rows fetched before either are stale.
  void LoadFromFile(const std::string& name);
  void SaveToFile(const std::string& name);
  void Rotate(int degrees);
  TImageIO& ImageIO() const { return *FImageIO; }
  TImageProc& ImageProc() const { return *FImageProc; }
  // Raised while LoadFromFile decodes: at the start, at each whole percent, at the end.
  TProgressEvent OnProgress;

 private:
  TBitmap& Bits() { return Picture().Bitmap(); }
  // The selected row's address, or null when it is unset or stale after a resize.
  std::uint32_t* CurrentRow();

  TBitmap FWork;
  std::uint32_t* FRowPixels = nullptr;
  TImageIO* FImageIO;
  TImageProc* FImageProc;
  int FRow = 0;
  // The bitmap generation FRowPixels was fetched in; 0 means no row was fetched yet.
  std::uint64_t FRowGeneration = 0;
};
