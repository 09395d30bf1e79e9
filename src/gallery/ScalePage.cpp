#include "ScalePage.h"

#include "components/ColorButton.h"
#include "components/Escala.h"
#include "framework/ui/controls/ScrollBar.h"
#include "framework/ui/controls/SpeedButton.h"

namespace {

// The step bar counts fives of the range 0 ... 100.
constexpr double kStepUnit = 5;

}  // namespace

TScalePage::TScalePage(TComponent* owner) : TGalleryPage(owner, "Scale") { CreateControls(); }

void TScalePage::PageShown() { PropertyChange(this); }

void TScalePage::PropertyChange(TComponent*) {
  const bool blend = ColouringButtons.front()->Down();
  for (TEscala* scale : {Scale1, Scale2}) {
    scale->SetGradColor1(ColorButton1->Color());
    scale->SetGradColor2(ColorButton2->Color());
    scale->SetGraduation(blend ? TEscalaGraduation::egTwo : TEscalaGraduation::egThree);
    scale->SetInterval(StepsBar->Position() * kStepUnit);
    scale->SetTextInterval(LabelsBar->Position());
  }
  Scale1->DrawMarkVertical(MarkerBar->Position());
}
