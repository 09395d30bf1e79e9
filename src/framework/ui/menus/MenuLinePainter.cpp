#include "MenuLinePainter.h"

#include "MenuItem.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/StylePainter.h"

namespace {

// The tick of a checked item, 7 x 7, as offsets from its top-left corner: a column of three
// pixels per x.
constexpr int kCheckTops[] = {2, 3, 4, 3, 2, 1, 0};
constexpr int kCheckSize = 7;

void PaintCheck(TCanvas& canvas, TPoint at, TColor color) {
  canvas.Brush = {color, TBrushStyle::bsSolid};
  for (int x = 0; x < kCheckSize; ++x) canvas.FillRect(Bounds(at.X + x, at.Y + kCheckTops[x], 1, 3));
}

// Text in the given colour, or engraved when `engraved`.
void PaintText(TCanvas& canvas, TPoint at, const std::string& text, TColor color, bool engraved) {
  canvas.Font.Color = color;
  TStylePainter::DrawCaption(canvas, at, text, !engraved);
}

// The caption with its marked character underlined: drawn in three pieces, the middle one
// with an underlined font.
void PaintCaption(TCanvas& canvas, TPoint at, const TMenuCaption& caption, TColor color, bool engraved) {
  if (caption.Mark == TMenuCaption::None) return PaintText(canvas, at, caption.Text, color, engraved);
  const std::string before = caption.Text.substr(0, caption.Mark);
  const std::string marked = caption.Text.substr(caption.Mark, caption.MarkLength);
  const std::string after = caption.Text.substr(caption.Mark + caption.MarkLength);
  PaintText(canvas, at, before, color, engraved);
  at.X += canvas.TextWidth(before);
  canvas.Font.AddStyle(TFontStyle::fsUnderline);
  PaintText(canvas, at, marked, color, engraved);
  canvas.Font.RemoveStyle(TFontStyle::fsUnderline);
  at.X += canvas.TextWidth(marked);
  PaintText(canvas, at, after, color, engraved);
}

void PaintSeparator(TCanvas& canvas, const TRect& bounds) {
  const int y = bounds.Top + MenuLine::SeparatorHeight / 2 - 1;
  canvas.Brush = {clBtnShadow, TBrushStyle::bsSolid};
  canvas.FillRect({bounds.Left + 1, y, bounds.Right - 1, y + 1});
  canvas.Brush.Color = clBtnHighlight;
  canvas.FillRect({bounds.Left + 1, y + 1, bounds.Right - 1, y + 2});
}

}  // namespace

int MenuLine::ItemHeight(TCanvas& canvas) { return canvas.TextHeight("Ag") + 4; }

int MenuLine::CaptionWidth(TCanvas& canvas, const TMenuItem& item) {
  return canvas.TextWidth(ParseMenuCaption(item.Caption).Text);
}

int MenuLine::ShortCutWidth(TCanvas& canvas, const TMenuItem& item) {
  return canvas.TextWidth(ShortCutToText(item.ShortCut));
}

void MenuLine::Paint(TCanvas& canvas, const TMenuItem& item, const TRect& bounds, bool highlighted, int shortCutRight) {
  canvas.Brush = {highlighted ? clHighlight : clMenu, TBrushStyle::bsSolid};
  canvas.FillRect(bounds);
  if (item.IsLine()) return PaintSeparator(canvas, bounds);
  // Disabled: engraved on the menu's ground, grey on the highlight.
  const bool engraved = !item.Enabled && !highlighted;
  const TColor color = !item.Enabled ? clGrayText : highlighted ? clHighlightText : clMenuText;
  const int textTop = bounds.Top + (bounds.Height() - canvas.TextHeight("Ag")) / 2;
  if (item.Checked)
    PaintCheck(canvas, {bounds.Left + (CheckColumn - kCheckSize) / 2, bounds.Top + (bounds.Height() - kCheckSize) / 2},
               engraved ? clBtnShadow : color);
  PaintCaption(canvas, {bounds.Left + CheckColumn, textTop}, ParseMenuCaption(item.Caption), color, engraved);
  const std::string shortCut = ShortCutToText(item.ShortCut);
  PaintText(canvas, {shortCutRight - canvas.TextWidth(shortCut), textTop}, shortCut, color, engraved);
}
