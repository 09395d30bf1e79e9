#include "ProgressPage.h"

#include "components/ColorButton.h"
#include "components/VekProgress.h"
#include "framework/ui/controls/ScrollBar.h"
#include "framework/ui/controls/SpeedButton.h"
#include "framework/ui/core/Timer.h"

TProgressPage::TProgressPage(TComponent* owner) : TGalleryPage(owner, "Progress") {
  CreateControls();
  PropertyChange(this);
}

void TProgressPage::PageShown() { PropertyChange(this); }

void TProgressPage::PageHidden() { Timer1->SetEnabled(false); }

void TProgressPage::PropertyChange(TComponent*) {
  for (TVekProgress* bar : {Bar1, Bar2, TimerBar}) {
    bar->SetColor1(ColorButton1->Color());
    bar->SetColor2(ColorButton2->Color());
    bar->SetBackColor(BackButton->Color());
    bar->SetShowValue(ValueButtons.front()->Down());
  }
  Bar1->SetPosition(PositionBar->Position());
  Bar2->SetPosition(PositionBar->Position());
  Timer1->SetEnabled(Visible() && RunButtons.front()->Down());
}

void TProgressPage::Timer1Timer(TComponent*) { TimerBar->StepIt(StepBar->Position()); }
