#pragma once
#include <vector>

#include "framework/graphics/Color.h"
#include "framework/ui/core/Control.h"

// A grid of colour swatches, one of which may be selected; a click selects one.
class TSwatchGrid : public TGraphicControl {
 public:
  static constexpr int CellSize = 20;  // a swatch with the gap around it
  static constexpr int NoSelection = -1;

  TSwatchGrid(TComponent* owner, int columns);

  const std::vector<TColor>& Colors() const { return FColors; }
  // Sets the colours and sizes the grid to hold them.
  void SetColors(const std::vector<TColor>& colors);
  int SelectedIndex() const { return FSelected; }
  void SetSelectedIndex(int index);
  // The swatch `index` in the grid's own coordinates.
  TRect SwatchRect(int index) const;
  // The index of the swatch holding `color`, or NoSelection.
  int IndexOf(TColor color) const;

  // Raised when a click selects a swatch.
  TNotifyEvent OnSelect;

  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void Paint(TCanvas& canvas) override;

 private:
  TRect CellRect(int index) const;

  int FColumns;
  std::vector<TColor> FColors;
  int FSelected = NoSelection;
};
