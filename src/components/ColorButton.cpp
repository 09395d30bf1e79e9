#include "ColorButton.h"

#include "framework/base/Handler.h"
#include "framework/ui/controls/SpeedButton.h"
#include "framework/ui/dialogs/ColorDialog.h"

TColorButton::TColorButton(TComponent* owner) : TCustomPanel(owner) {
  OnResize = Handler(this, &TColorButton::PanelResize);
  FDialog = new TColorDialog(this);
  FButton = new TSpeedButton(this);
  FButton->SetCursor(crHandPoint);
  FButton->SetFlat(true);
  FButton->Hint = "Elegir color";
  FButton->SetParent(this);
  FButton->ShowHint = true;
  FButton->OnClick = Handler(this, &TColorButton::ButtonClick);
  SetBevelInner(TBevelCut::bvLowered);
  SetBevelOuter(TBevelCut::bvRaised);
  SetCaption(" ");
  SetColor(clRed);
  SetHeight(24);
  SetWidth(64);
  ButtonResize();
}

void TColorButton::ButtonClick(TComponent*) {
  FDialog->SetColor(Color());
  if (!FDialog->Execute()) return;
  if (FDialog->Color() == Color()) return;
  SetColor(FDialog->Color());
  if (OnChange) OnChange(this);
}

void TColorButton::ButtonResize() { FButton->SetBounds(2, 2, Width() - 4, Height() - 4); }

void TColorButton::PanelResize(TComponent*) {
  if (OnPanelResize) OnPanelResize(this);
  ButtonResize();
}
