#include "ProgressPage.h"

#include <algorithm>

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

void TProgressPage::ArrangeShowcase(const TRect& room) {
  constexpr int kGap = 12;
  Bar1->SetBounds(room.Left, room.Top, room.Width(), Bar1->Height());
  const int top = room.Top + Bar1->Height() + kGap;
  Bar2->SetBounds(room.Left, top, Bar2->Width(), std::max(room.Bottom - top, 1));
  const int left = room.Left + Bar2->Width() + kGap;
  TimerBar->SetBounds(left, top, std::max(room.Right - left, 1), TimerBar->Height());
}

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
