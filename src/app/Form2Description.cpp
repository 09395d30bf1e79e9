#include "Form2.h"
#include "components/VekImage.h"
#include "framework/base/Handler.h"
#include "framework/ui/core/Timer.h"

void TForm2::CreateControls() {
  BorderStyle = TBorderStyle::bsNone;
  SetCaption("Form2");
  SetClientWidth(193);
  SetClientHeight(144);
  Position = TPosition::poDefault;
  OnCreate = Handler(this, &TForm2::FormCreate);
  OnDestroy = Handler(this, &TForm2::FormDestroy);
  OnResize = Handler(this, &TForm2::FormResize);
  OnShow = Handler(this, &TForm2::FormShow);

  Image1 = new TVekImage(this);
  Image1->Name = "Image1";
  Image1->SetParent(this);
  Image1->SetBounds(0, 0, 193, 144);
  Image1->SetAlign(TAlign::alClient);

  Timer1 = new TTimer(this);
  Timer1->Name = "Timer1";
  Timer1->SetInterval(1);
  Timer1->OnTimer = Handler(this, &TForm2::Timer1Timer);
}
