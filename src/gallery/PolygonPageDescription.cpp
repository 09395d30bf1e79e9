#include "PolygonPage.h"
#include "PropertyColumn.h"
#include "components/ColorButton.h"
#include "components/Poly.h"
#include "framework/base/Handler.h"
#include "framework/ui/controls/ScrollBar.h"
#include "framework/ui/controls/SpeedButton.h"
#include "framework/ui/controls/StaticText.h"
#include "framework/ui/core/Timer.h"

void TPolygonPage::CreateControls() {
  Poly1 = new TPoly(this);
  Poly1->Name = "Poly1";
  Poly1->SetParent(Showcase());
  // A square as large as the room lets it be, the perimeter told beneath (ArrangeShowcase).
  Poly1->OnBeforeDraw = Handler(this, &TPolygonPage::Poly1BeforeDraw);

  PerimeterText = new TStaticText(this);
  PerimeterText->Name = "PerimeterText";
  PerimeterText->SetParent(Showcase());

  Timer1 = new TTimer(this);
  Timer1->Name = "Timer1";
  Timer1->SetEnabled(false);
  Timer1->SetInterval(40);
  Timer1->OnTimer = Handler(this, &TPolygonPage::Timer1Timer);

  TPropertyColumn column(this, this, "Properties");
  BackButton = column.AddColor("BackButton", "Background", RGB(16, 24, 48));
  BrushButton = column.AddColor("BrushButton", "Inside", RGB(40, 90, 200));
  PenButton = column.AddColor("PenButton", "Outline", clWhite);
  CountBar = column.AddBar("CountBar", "Vertices", 3, 24, 5);
  RotationBar = column.AddBar("RotationBar", "Rotation", 0, 359, 0);
  PenWidthBar = column.AddBar("PenWidthBar", "Outline width", 1, 12, 2);
  WalkButtons = column.AddModes("WalkButton", "Marker on the outline", {"Walk", "Stop"}, 1);
  for (TColorButton* button : {BackButton, BrushButton, PenButton})
    button->OnChange = Handler(this, &TPolygonPage::PropertyChange);
  for (TScrollBar* bar : {CountBar, RotationBar, PenWidthBar})
    bar->OnChange = Handler(this, &TPolygonPage::PropertyChange);
  for (TSpeedButton* button : WalkButtons) button->OnClick = Handler(this, &TPolygonPage::PropertyChange);
}
