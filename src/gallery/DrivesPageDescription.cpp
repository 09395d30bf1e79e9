#include "DrivesPage.h"
#include "PropertyColumn.h"
#include "components/ColorButton.h"
#include "components/VekImage.h"
#include "framework/base/Handler.h"
#include "framework/ui/controls/SpeedButton.h"

void TDrivesPage::CreateControls() {
  TPropertyColumn column(this, this, "Properties");
  UnitButtons = column.AddModes("UnitButton", "Sizes in", {"bytes", "MiB", "GiB"}, 1);
  for (TSpeedButton* button : UnitButtons) button->OnClick = Handler(this, &TDrivesPage::PropertyChange);
  UnitButtons[2]->SetDown(true);
  StripeButton = column.AddColor("StripeButton", "Stripe colour", RGB(224, 232, 255));
  StripeButton->OnChange = Handler(this, &TDrivesPage::PropertyChange);
  RefreshButton = column.AddButton("RefreshButton", "Ask again");
  RefreshButton->OnClick = Handler(this, &TDrivesPage::PropertyChange);

  Frame1 = new TPanel(this);
  Frame1->Name = "Frame1";
  Frame1->SetParent(Showcase());
  Frame1->SetBevelOuter(TBevelCut::bvLowered);
  Frame1->SetAlign(TAlign::alClient);
  Frame1->OnResize = Handler(this, &TDrivesPage::Frame1Resize);

  Image1 = new TVekImage(this);
  Image1->Name = "Image1";
  Image1->SetParent(Frame1);
  Image1->SetAlign(TAlign::alClient);
}
