#pragma once
#include <array>

#include "framework/ui/controls/BitBtn.h"
#include "framework/ui/controls/Panel.h"
#include "framework/ui/controls/ScrollBar.h"
#include "framework/ui/controls/StaticText.h"
#include "framework/ui/controls/SwatchGrid.h"
#include "framework/ui/core/Form.h"

// The colour dialog's window: the 48 basic colours, the custom colours of the run, a
// red, a green and a blue bar with their values, a preview of the selected colour, and OK,
// Cancel and "Add to Custom Colors".
class TColorChooser : public TForm {
 public:
  static constexpr int BasicColorCount = 48;

  TColorChooser(TComponent* owner, TColor initial);

  static TColor BasicColor(int index);
  TColor SelectedColor() const { return FSelected; }
  void SelectColor(TColor color);

  // Where the swatches are, in the form's client coordinates.
  TRect BasicSwatchRect(int index) const;
  TRect CustomSwatchRect(int index) const;

  TScrollBar& RedBar() { return *FChannels[0]; }
  TScrollBar& GreenBar() { return *FChannels[1]; }
  TScrollBar& BlueBar() { return *FChannels[2]; }
  TBitBtn& OkButton() { return *FOk; }
  TBitBtn& CancelButton() { return *FCancel; }
  TBitBtn& AddCustomButton() { return *FAddCustom; }

 private:
  void BuildGrids();
  void BuildChannels();
  void BuildButtons();
  TStaticText* AddLabel(const std::string& caption, int left, int top);
  void GridSelected(TSwatchGrid& grid, TSwatchGrid& other);
  void ShowSelection();
  void ChannelChanged();
  void AddCustomColor();

  TColor FSelected;
  TSwatchGrid* FBasic = nullptr;
  TSwatchGrid* FCustom = nullptr;
  std::array<TScrollBar*, 3> FChannels{};
  std::array<TStaticText*, 3> FValues{};
  TPanel* FPreview = nullptr;
  TBitBtn* FOk = nullptr;
  TBitBtn* FCancel = nullptr;
  TBitBtn* FAddCustom = nullptr;
  // Set while the bars follow a new selection, so that they do not change it back.
  bool FUpdatingBars = false;
};
