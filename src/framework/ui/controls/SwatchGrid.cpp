#include "SwatchGrid.h"

#include <algorithm>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/StylePainter.h"

namespace {

constexpr int kGap = 2;  // between the cell's edge and the swatch's frame

}  // namespace

TSwatchGrid::TSwatchGrid(TComponent* owner, int columns) : TGraphicControl(owner), FColumns(std::max(columns, 1)) {}

void TSwatchGrid::SetColors(const std::vector<TColor>& colors) {
  FColors = colors;
  if (FSelected >= static_cast<int>(FColors.size())) FSelected = NoSelection;
  const int rows = (static_cast<int>(FColors.size()) + FColumns - 1) / FColumns;
  SetBounds(Left(), Top(), FColumns * CellSize, rows * CellSize);
  Invalidate();
}

void TSwatchGrid::SetSelectedIndex(int index) {
  if (index < 0 || index >= static_cast<int>(FColors.size())) index = NoSelection;
  if (index == FSelected) return;
  FSelected = index;
  Invalidate();
}

TRect TSwatchGrid::CellRect(int index) const {
  return Bounds(index % FColumns * CellSize, index / FColumns * CellSize, CellSize, CellSize);
}

TRect TSwatchGrid::SwatchRect(int index) const { return TStylePainter::Inset(CellRect(index), kGap); }

int TSwatchGrid::IndexOf(TColor color) const {
  const auto found = std::find(FColors.begin(), FColors.end(), color);
  return found == FColors.end() ? NoSelection : static_cast<int>(found - FColors.begin());
}

void TSwatchGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft || !ClientRect().Contains(x, y)) return;
  const int index = y / CellSize * FColumns + x / CellSize;
  if (index >= static_cast<int>(FColors.size())) return;
  SetSelectedIndex(index);
  if (OnSelect) OnSelect(this);
}

void TSwatchGrid::Paint(TCanvas& canvas) {
  for (int i = 0; i < static_cast<int>(FColors.size()); ++i) {
    if (i == FSelected) TStylePainter::DrawFrame(canvas, CellRect(i), TFrameStyle::Single);
    canvas.Brush = {FColors[static_cast<std::size_t>(i)], TBrushStyle::bsSolid};
    canvas.FillRect(TStylePainter::DrawFrame(canvas, SwatchRect(i), TFrameStyle::Field));
  }
}
