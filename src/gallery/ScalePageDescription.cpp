#include "PropertyColumn.h"
#include "ScalePage.h"
#include "components/ColorButton.h"
#include "components/Escala.h"
#include "framework/base/Handler.h"
#include "framework/ui/controls/ScrollBar.h"
#include "framework/ui/controls/SpeedButton.h"

void TScalePage::CreateControls() {
  Scale1 = new TEscala(this);
  Scale1->Name = "Scale1";
  Scale1->SetParent(Showcase());
  // Upright at the left and across beside it: their lengths come from the room.
  Scale1->SetWidth(100);
  Scale1->SetFormat("0.0");

  Scale2 = new TEscala(this);
  Scale2->Name = "Scale2";
  Scale2->SetParent(Showcase());
  Scale2->SetOrientation(TEscalaOrientation::eoHorizontal);
  Scale2->SetHeight(90);
  Scale2->SetFormat("0");
  Scale2->SetMargin(12);

  TPropertyColumn column(this, this, "Properties");
  ColorButton1 = column.AddColor("ColorButton1", "Colour of the maximum", clYellow);
  ColorButton2 = column.AddColor("ColorButton2", "Colour of the minimum", clNavy);
  ColouringButtons = column.AddModes("ColouringButton", "Colouring", {"Blend", "Ramp"}, 1);
  StepsBar = column.AddBar("StepsBar", "Step (0: none)", 0, 19, 0);
  LabelsBar = column.AddBar("LabelsBar", "Labels between the ends", 0, 9, 4);
  MarkerBar = column.AddBar("MarkerBar", "Marker", 0, 100, 60);
  for (TColorButton* button : {ColorButton1, ColorButton2})
    button->OnChange = Handler(this, &TScalePage::PropertyChange);
  for (TSpeedButton* button : ColouringButtons) button->OnClick = Handler(this, &TScalePage::PropertyChange);
  for (TScrollBar* bar : {StepsBar, LabelsBar, MarkerBar}) bar->OnChange = Handler(this, &TScalePage::PropertyChange);
}
