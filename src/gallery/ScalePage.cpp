#include "ScalePage.h"

#include <algorithm>

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

void TScalePage::ArrangeShowcase(const TRect& room) {
  constexpr int kGap = 16;
  Scale1->SetBounds(room.Left, room.Top, Scale1->Width(), room.Height());
  const int left = room.Left + Scale1->Width() + kGap;
  Scale2->SetBounds(left, room.Top, std::max(room.Right - left, 1), Scale2->Height());
}

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
