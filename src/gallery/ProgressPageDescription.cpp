#include "ProgressPage.h"
#include "PropertyColumn.h"
#include "components/ColorButton.h"
#include "components/VekProgress.h"
#include "framework/base/Handler.h"
#include "framework/ui/controls/ScrollBar.h"
#include "framework/ui/controls/SpeedButton.h"
#include "framework/ui/core/Timer.h"

namespace {

TVekProgress* NewBar(TProgressPage* page, const char* name, TSize size) {
  auto* bar = new TVekProgress(page);
  bar->Name = name;
  bar->SetParent(page->Showcase());
  bar->SetBounds(0, 0, size.cx, size.cy);
  return bar;
}

}  // namespace

void TProgressPage::CreateControls() {
  // One bar across the top, one upright beneath it, the timer bar beside that: their
  // lengths come from the room (ArrangeShowcase), their thickness from here.
  Bar1 = NewBar(this, "Bar1", {448, 28});
  Bar2 = NewBar(this, "Bar2", {36, 300});
  Bar2->SetOrientation(TVekProgressOrientation::vpoVertical);
  TimerBar = NewBar(this, "TimerBar", {400, 28});
  TimerBar->SetIsTimer(true);

  Timer1 = new TTimer(this);
  Timer1->Name = "Timer1";
  Timer1->SetEnabled(false);
  Timer1->SetInterval(30);
  Timer1->OnTimer = Handler(this, &TProgressPage::Timer1Timer);

  TPropertyColumn column(this, this, "Properties");
  ColorButton1 = column.AddColor("ColorButton1", "Start colour", clAqua);
  ColorButton2 = column.AddColor("ColorButton2", "Leading colour", clNavy);
  BackButton = column.AddColor("BackButton", "Background", clBtnFace);
  PositionBar = column.AddBar("PositionBar", "Position", 0, 100, 50);
  ValueButtons = column.AddModes("ValueButton", "Percentage", {"Shown", "Hidden"}, 1);
  StepBar = column.AddBar("StepBar", "Step of the timer bar", 1, 10, 2);
  RunButtons = column.AddModes("RunButton", "Timer bar", {"Run", "Pause"}, 2);
  for (TColorButton* button : {ColorButton1, ColorButton2, BackButton})
    button->OnChange = Handler(this, &TProgressPage::PropertyChange);
  for (TScrollBar* bar : {PositionBar, StepBar}) bar->OnChange = Handler(this, &TProgressPage::PropertyChange);
  for (TSpeedButton* button : ValueButtons) button->OnClick = Handler(this, &TProgressPage::PropertyChange);
  for (TSpeedButton* button : RunButtons) button->OnClick = Handler(this, &TProgressPage::PropertyChange);
}
