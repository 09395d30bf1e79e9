// The drawing that goes through the scratch picture FWork: colour-combining fills and
// inverted text. Only the part of a box that lies on the bitmap goes through FWork, so that a
// huge box costs no more than the bitmap, and the pixels are those of the whole box. FWork
// only grows, and each call uses its top-left corner: drawing allocates nothing once FWork
// is as large as the boxes it serves.
#include <algorithm>
#include <cstdint>

#include "VekImage.h"
#include "framework/graphics/Canvas.h"

namespace {

// The part of the box (x1, y1)-(x2, y2) that lies on the bitmap; empty when none does.
TRect PartOnBitmap(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, const TBitmap& bitmap) {
  const auto into = [](std::int64_t v, int size) { return static_cast<int>(std::clamp<std::int64_t>(v, 0, size)); };
  const TRect part{into(x1, bitmap.Width()), into(y1, bitmap.Height()), into(x2, bitmap.Width()),
                   into(y2, bitmap.Height())};
  return part.IsEmpty() ? TRect{} : part;
}

// Where the whole box starts, relative to its part on the bitmap: the part starts where the
// box does, or at 0 when the box starts before the bitmap, so the offset fits.
int Offset(int boxStart, int partStart) { return static_cast<int>(std::int64_t{boxStart} - partStart); }

}  // namespace

void TVekImage::FillTrans(TColor c) {
  if (c == clBlack) return;
  Canvas();  // an empty picture gets its bitmap first
  CombineFilled(PartOnBitmap(0, 0, Width(), Height(), Bits()), c);
}

void TVekImage::RectTrans(int x1, int y1, int x2, int y2, TColor c) {
  if (c == clBlack || std::int64_t{x2} < x1 || std::int64_t{y2} < y1) return;
  Canvas();
  CombineFilled(PartOnBitmap(x1, y1, x2, y2, Bits()), c);
}

void TVekImage::EllipseTrans(int x1, int y1, int x2, int y2, TColor c) {
  if (c == clBlack || std::int64_t{x2} < x1 || std::int64_t{y2} < y1) return;
  Canvas();
  const TRect part = PartOnBitmap(x1, y1, x2, y2, Bits());
  if (!part.IsEmpty()) {
    PrepareWork(part, clBlack);
    // The black outline combines to nothing: only the interior shows.
    FWork.Canvas().Brush.Color = c;
    FWork.Canvas().Ellipse(Offset(x1, part.Left), Offset(y1, part.Top), x2 - part.Left, y2 - part.Top);
  }
  CombineWork(part, SRCPAINT);
}

void TVekImage::TextOutInv(int x, int y, const std::string& s) {
  TCanvas& canvas = Canvas();
  TCanvas& work = FWork.Canvas();
  // The face and style of the canvas font, never a rotation left on it.
  work.Font.Name = canvas.Font.Name;
  work.Font.Height = canvas.Font.Height;
  work.Font.Style = canvas.Font.Style;
  work.Font.Charset = canvas.Font.Charset;
  work.Font.Escapement = 0;
  work.BkMode = TBkMode::Transparent;
  work.TextAlign = TA_LEFT | TA_TOP;
  const TSize extent = work.TextExtent(s);
  const TRect part = PartOnBitmap(x, y, std::int64_t{x} + extent.cx, std::int64_t{y} + extent.cy, Bits());
  if (!part.IsEmpty()) {
    PrepareWork(part, clBlack);
    work.Font.Color = clWhite;
    work.TextOut(Offset(x, part.Left), Offset(y, part.Top), s);
  }
  CombineWork(part, SRCINVERT);
}

void TVekImage::CombineFilled(const TRect& part, TColor c) {
  if (!part.IsEmpty()) PrepareWork(part, c);
  CombineWork(part, SRCPAINT);
}

void TVekImage::PrepareWork(const TRect& part, TColor c) {
  if (FWork.Width() < part.Width() || FWork.Height() < part.Height())
    FWork.SetSize(std::max(FWork.Width(), part.Width()), std::max(FWork.Height(), part.Height()));
  TCanvas& work = FWork.Canvas();
  work.Pen = TPen{c};
  work.Brush = TBrush{c};
  work.FillRect({0, 0, part.Width(), part.Height()});
}

void TVekImage::CombineWork(const TRect& part, std::uint32_t copyMode) {
  TCanvas& canvas = Canvas();
  if (!part.IsEmpty()) {
    canvas.CopyMode = copyMode;
    canvas.DrawPart(part.Left, part.Top, FWork, {0, 0, part.Width(), part.Height()});
  }
  canvas.CopyMode = SRCCOPY;
}
