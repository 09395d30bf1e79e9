#include "MessageIcons.h"

#include "framework/graphics/Canvas.h"

void PaintErrorIcon(TCanvas& canvas, const TRect& icon) {
  canvas.Pen = {clMaroon, 1, TPenMode::pmCopy};
  canvas.Brush = {clRed, TBrushStyle::bsSolid};
  canvas.Ellipse(icon.Left, icon.Top, icon.Right, icon.Bottom);
  // The white cross: two strokes from corner to corner of the circle's inner square.
  constexpr int kInset = 10;
  canvas.Pen = {clWhite, 3, TPenMode::pmCopy};
  canvas.MoveTo(icon.Left + kInset, icon.Top + kInset);
  canvas.LineTo(icon.Right - kInset, icon.Bottom - kInset);
  canvas.MoveTo(icon.Right - kInset, icon.Top + kInset);
  canvas.LineTo(icon.Left + kInset, icon.Bottom - kInset);
}

void PaintWarningIcon(TCanvas& canvas, const TRect& icon) {
  const int middle = (icon.Left + icon.Right) / 2;
  canvas.Pen = {clBlack, 1, TPenMode::pmCopy};
  canvas.Brush = {clYellow, TBrushStyle::bsSolid};
  canvas.Polygon({{middle, icon.Top + 1}, {icon.Right - 1, icon.Bottom - 2}, {icon.Left, icon.Bottom - 2}});
  // The exclamation mark: a stroke and a dot.
  canvas.Brush = {clBlack, TBrushStyle::bsSolid};
  canvas.FillRect({middle - 1, icon.Top + 10, middle + 2, icon.Bottom - 12});
  canvas.FillRect({middle - 1, icon.Bottom - 9, middle + 2, icon.Bottom - 6});
}
