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

int TColorDialog::AddCustomColor(TColor color) {
  static int next = 0;
  const int slot = next;
  CustomColors()[static_cast<std::size_t>(slot)] = color;
  next = (next + 1) % CustomColorCount;
  return slot;
}

bool TColorDialog::Execute() {
  TColorChooser chooser(nullptr, FColor);
  if (chooser.ShowModal() != mrOk) return false;
  FColor = chooser.SelectedColor();
  return true;
}
