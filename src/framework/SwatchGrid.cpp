#include "SwatchGrid.h"

TSwatchGrid::TSwatchGrid(TComponent* owner, int columns) : TGraphicControl(owner), FColumns(columns) {}
void TSwatchGrid::SetColors(const std::vector<TColor>& colors) { FColors = colors; }
void TSwatchGrid::SetSelectedIndex(int index) { FSelected = index; }
TRect TSwatchGrid::CellRect(int) const { return {}; }
TRect TSwatchGrid::SwatchRect(int) const { return {}; }
int TSwatchGrid::IndexOf(TColor) const { return NoSelection; }
void TSwatchGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) { TGraphicControl::MouseDown(button, shift, x, y); }
void TSwatchGrid::Paint(TCanvas&) {}
