#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "framework/graphics/Bitmap.h"
#include "framework/ui/controls/Image.h"

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

  // --- Drawing on Canvas; boxes exclude their right and bottom edges ---
  // Filled shapes and bevels: the pen and brush keep the colours last set, and after a bevel
  // the pen is 1 pixel wide. A bevel wider than half its box goes on with crossed rings.
  void Fill(TColor c);
  void Fill3D(TColor c, int bevel, bool raised);
  void Rect3D(int x1, int y1, int x2, int y2, TColor c, int bevel, bool raised);
  void Rect3D(const TRect& r, TColor c, int bevel, bool raised);
  void Ellipse(int x, int y, int r);
  void Ellipse(int x, int y, int rx, int ry);
  // Rings fading from outer to inner, each one pixel smaller on every side than the one
  // before; with highlight their centre drifts right and up. Steps beyond the first empty
  // ring grow again, as the corners cross.
  void Ball3D(int x1, int y1, int x2, int y2, TColor outer, TColor inner, bool highlight, int steps);
  // As many rings as fit: half the box's width.
  void Ball3D(int x1, int y1, int x2, int y2, TColor outer, TColor inner, bool highlight);
  void Ball3D(const TRect& r, TColor outer, TColor inner, bool highlight);
  // Colour-combining fills: c is ORed into the picture, so black changes nothing. Boxes with
  // a negative width or height are ignored.
  void FillTrans(TColor c);
  void RectTrans(int x1, int y1, int x2, int y2, TColor c);
  // Only the ellipse's interior is combined, not its outline.
  void EllipseTrans(int x1, int y1, int x2, int y2, TColor c);
  // Text in the canvas font, unturned, that inverts the pixels its glyphs cover: drawn twice
  // at the same place it is gone.
  void TextOutInv(int x, int y, const std::string& s);
  // Text turned counter-clockwise by angle degrees about its top-left corner (x, y), drawn
  // only when that corner lies on the bitmap. The canvas font stays turned afterwards.
  void TextOutRot(int x, int y, double angle, const std::string& s);
  // Text on the circle of radius r around (x, y), at angle degrees, along the tangent.
  void TextOutAxial(int x, int y, int r, double angle, const std::string& s);
  void TextOutAxial(int x, int y, int rx, int ry, double angle, const std::string& s);

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
  void Bevel(TRect box, int width, bool raised);
  // FWork's corner of part's size filled with c and ORed into the picture at `part`.
  void CombineFilled(const TRect& part, TColor c);
  // Grows FWork to hold part's size, if need be, and fills that much of it with c; its pen
  // becomes a plain 1-pixel one in c.
  void PrepareWork(const TRect& part, TColor c);
  // Draws FWork's corner of part's size at part with a raster operation, then sets the
  // canvas back to copying.
  void CombineWork(const TRect& part, std::uint32_t copyMode);

  // The scratch picture of the combining fills and the inverted text: its top-left corner
  // holds the part of their box that lies on the bitmap. It only grows.
  TBitmap FWork;
  std::uint32_t* FRowPixels = nullptr;
  TImageIO* FImageIO;
  TImageProc* FImageProc;
  int FRow = 0;
  // The bitmap generation FRowPixels was fetched in; 0 means no row was fetched yet.
  std::uint64_t FRowGeneration = 0;
};
