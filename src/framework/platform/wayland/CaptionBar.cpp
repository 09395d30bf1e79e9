#include "CaptionBar.h"

#include "framework/graphics/StylePainter.h"

namespace {

constexpr TSize kCloseBox{16, 14};
// The close box's cross: its size and the thickness of its strokes.
constexpr int kCrossSide = 8, kCrossStroke = 2;

TFont CaptionFont(bool active) {
  TFont font;
  font.AddStyle(TFontStyle::fsBold);
  font.Color = active ? clCaptionText : clInactiveCaptionText;
  return font;
}

}  // namespace

TRect TCaptionBar::CaptionRect(TSize surface) { return {Border, Border, surface.cx - Border, Border + CaptionHeight}; }

TRect TCaptionBar::CloseBoxRect(TSize surface) {
  const TRect caption = CaptionRect(surface);
  const int top = caption.Top + (CaptionHeight - kCloseBox.cy) / 2;
  return Bounds(caption.Right - 2 - kCloseBox.cx, top, kCloseBox.cx, kCloseBox.cy);
}

TCaptionBar::TPart TCaptionBar::PartAt(TPoint at, TSize surface) const {
  const TRect insets = Insets();
  const TRect client{insets.Left, insets.Top, surface.cx - insets.Right, surface.cy - insets.Bottom};
  if (client.Contains(at.X, at.Y)) return TPart::Client;
  if (HasCloseBox && CloseBoxRect(surface).Contains(at.X, at.Y)) return TPart::CloseBox;
  if (CaptionRect(surface).Contains(at.X, at.Y)) return TPart::Caption;
  return TPart::Border;
}

TCaptionBar::TPart TCaptionBar::Press(TPoint at, TSize surface) {
  const TPart part = PartAt(at, surface);
  FCloseArmed = FOverClose = part == TPart::CloseBox;
  return part;
}

bool TCaptionBar::Drag(TPoint at, TSize surface) {
  const bool over = PartAt(at, surface) == TPart::CloseBox;
  if (!FCloseArmed || over == FOverClose) return false;
  FOverClose = over;
  return true;
}

bool TCaptionBar::Release(TPoint at, TSize surface) {
  const bool close = FCloseArmed && PartAt(at, surface) == TPart::CloseBox;
  FCloseArmed = FOverClose = false;
  return close;
}

void TCaptionBar::Paint(TCanvas& canvas, TSize surface) const {
  const TRect whole{0, 0, surface.cx, surface.cy};
  const TRect inside = TStylePainter::DrawFrame(canvas, whole, TFrameStyle::ButtonUp);
  canvas.Brush = {clBtnFace, TBrushStyle::bsSolid};
  const TRect insets = Insets();
  // What lies between the rings and the client area: the face of the frame.
  canvas.FillRect({inside.Left, inside.Top, inside.Right, insets.Top});
  canvas.FillRect({inside.Left, inside.Top, insets.Left, inside.Bottom});
  canvas.FillRect({surface.cx - insets.Right, inside.Top, inside.Right, inside.Bottom});
  canvas.FillRect({inside.Left, surface.cy - insets.Bottom, inside.Right, inside.Bottom});

  const TRect caption = CaptionRect(surface);
  canvas.Brush.Color = Active ? clActiveCaption : clInactiveCaption;
  canvas.FillRect(caption);
  const TRect closeBox = CloseBoxRect(surface);
  canvas.Font = CaptionFont(Active);
  const int textTop = caption.Top + (CaptionHeight - canvas.TextHeight(Title)) / 2;
  // The title stops short of the close box.
  canvas.SetClipRect({caption.Left, caption.Top, HasCloseBox ? closeBox.Left - 2 : caption.Right, caption.Bottom});
  TStylePainter::DrawCaption(canvas, {caption.Left + 4, textTop}, Title, true);
  canvas.ClearClipRect();
  if (HasCloseBox) PaintCloseBox(canvas, closeBox);
}

void TCaptionBar::PaintCloseBox(TCanvas& canvas, const TRect& box) const {
  const bool pressed = ClosePressed();
  const TRect face = TStylePainter::DrawFrame(canvas, box, pressed ? TFrameStyle::ButtonDown : TFrameStyle::ButtonUp);
  canvas.Brush = {clBtnFace, TBrushStyle::bsSolid};
  canvas.FillRect(face);
  // A pressed box's cross moves down and right with it, as a button's caption does.
  const int shift = pressed ? 1 : 0;
  const int left = box.Left + (box.Width() - kCrossSide) / 2 + shift;
  const int top = box.Top + (box.Height() - kCrossSide + 1) / 2 + shift;
  for (int i = 0; i < kCrossSide; ++i)
    for (int stroke = 0; stroke < kCrossStroke; ++stroke) {
      canvas.SetPixel(left + i + stroke, top + i, clBtnText);
      canvas.SetPixel(left + kCrossSide - 1 - i + stroke, top + i, clBtnText);
    }
}
