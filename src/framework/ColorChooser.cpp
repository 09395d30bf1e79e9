#include "ColorChooser.h"

TColorChooser::TColorChooser(TComponent* owner, TColor initial) : TForm(owner), FSelected(initial) {
  SetCaption("Color");
  BuildGrids();
  BuildChannels();
  BuildButtons();
}
TColor TColorChooser::BasicColor(int) { return clBlack; }
void TColorChooser::SelectColor(TColor color) { FSelected = color; }
TRect TColorChooser::BasicSwatchRect(int) const { return {}; }
TRect TColorChooser::CustomSwatchRect(int) const { return {}; }
void TColorChooser::BuildGrids() {}
void TColorChooser::BuildChannels() {}
void TColorChooser::BuildButtons() {}
void TColorChooser::ShowSelection() {}
void TColorChooser::ChannelChanged() {}
void TColorChooser::AddCustomColor() {}
