#pragma once
#include "framework/base/Types.h"

class TCanvas;
class TMenuItem;

// The classic look of one line of a menu: a separator as an etched line; an item as its
// caption (the marked character underlined) after a column for the check mark, its
// shortcut right-aligned in a column of its own, on the highlight colour while highlighted,
// engraved while disabled.
namespace MenuLine {

constexpr int CheckColumn = 18;  // from the line's left edge to its caption
constexpr int ArrowColumn = 18;  // after the shortcut column
constexpr int ColumnGap = 16;    // between the caption and the shortcut columns
constexpr int SeparatorHeight = 8;

int ItemHeight(TCanvas& canvas);
// The widths of the item's caption and of its shortcut's text.
int CaptionWidth(TCanvas& canvas, const TMenuItem& item);
int ShortCutWidth(TCanvas& canvas, const TMenuItem& item);

// Paints `item` into `bounds`; its shortcut's text ends at `shortCutRight`.
void Paint(TCanvas& canvas, const TMenuItem& item, const TRect& bounds, bool highlighted, int shortCutRight);

}  // namespace MenuLine
