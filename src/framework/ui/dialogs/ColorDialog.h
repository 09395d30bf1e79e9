#pragma once
#include <array>

#include "framework/base/Component.h"
#include "framework/graphics/Color.h"

// The colour chooser: Execute shows it modally with Color selected and, when the user
// confirms, leaves the chosen colour in Color.
class TColorDialog : public TComponent {
 public:
  static constexpr int CustomColorCount = 16;

  explicit TColorDialog(TComponent* owner);

  TColor Color() const { return FColor; }
  void SetColor(TColor color) { FColor = color; }
  // True when the user chose OK; false (Color unchanged) on Cancel, Escape or the close box.
  bool Execute();

  // The custom colours, kept for the run and shared by every colour dialog.
  static std::array<TColor, CustomColorCount>& CustomColors();
  // Puts `color` into the next custom slot, round; returns the slot.
  static int AddCustomColor(TColor color);

 private:
  TColor FColor = clBlack;
};
