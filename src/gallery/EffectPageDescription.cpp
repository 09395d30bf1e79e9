#include "EffectPage.h"
#include "PropertyColumn.h"
#include "components/ColorButton.h"
#include "components/VekImage.h"
#include "framework/base/Handler.h"
#include "framework/ui/controls/ScrollBar.h"
#include "framework/ui/controls/SpeedButton.h"
#include "framework/ui/core/Timer.h"

void TEffectPage::CreateControls() {
  TPropertyColumn column(this, this, "Properties");
  ColorButton1 = column.AddColor("ColorButton1", "First colour", clBlue);
  ColorButton1->OnChange = Handler(this, &TEffectPage::ColorChange);
  ColorButton2 = column.AddColor("ColorButton2", "Second colour", clBlack);
  ColorButton2->OnChange = Handler(this, &TEffectPage::ColorChange);
  IntervalBar = column.AddBar("IntervalBar", "Milliseconds a frame", 10, 200, 10);
  IntervalBar->OnChange = Handler(this, &TEffectPage::IntervalBarChange);
  RunButtons = column.AddModes("RunButton", "Animation", {"Run", "Pause"}, 1);
  for (TSpeedButton* button : RunButtons) button->OnClick = Handler(this, &TEffectPage::RunButtonClick);

  Frame1 = new TPanel(this);
  Frame1->Name = "Frame1";
  Frame1->SetParent(Showcase());
  Frame1->SetBevelOuter(TBevelCut::bvLowered);
  Frame1->SetAlign(TAlign::alClient);
  Frame1->OnResize = Handler(this, &TEffectPage::Frame1Resize);

  Image1 = new TVekImage(this);
  Image1->Name = "Image1";
  Image1->SetParent(Frame1);
  Image1->SetAlign(TAlign::alClient);

  Timer1 = new TTimer(this);
  Timer1->Name = "Timer1";
  Timer1->SetEnabled(false);
  Timer1->SetInterval(10);
  Timer1->OnTimer = Handler(this, &TEffectPage::Timer1Timer);
}
