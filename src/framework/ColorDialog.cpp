#include "ColorDialog.h"

#include "ColorChooser.h"

TColorDialog::TColorDialog(TComponent* owner) : TComponent(owner) {}

std::array<TColor, TColorDialog::CustomColorCount>& TColorDialog::CustomColors() {
  static std::array<TColor, CustomColorCount> colors = [] {
    std::array<TColor, CustomColorCount> white;
    white.fill(clWhite);
    return white;
  }();
  return colors;
}

bool TColorDialog::Execute() {
  TColorChooser chooser(nullptr, FColor);
  if (chooser.ShowModal() != mrOk) return false;
  FColor = chooser.SelectedColor();
  return true;
}
