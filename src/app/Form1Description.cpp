#include "Form1.h"
#include "appkit/AppEvents.h"
#include "components/VekImage.h"
#include "framework/base/Handler.h"
#include "framework/ui/core/Timer.h"

void TForm1::CreateControls() {
  BorderStyle = TBorderStyle::bsNone;
  FormStyle = TFormStyle::fsStayOnTop;
  WindowState = TWindowState::wsMaximized;
  SetCaption("Form1");
  SetClientWidth(536);
  SetClientHeight(343);
  OnCreate = Handler(this, &TForm1::FormCreate);
  OnDestroy = Handler(this, &TForm1::FormDestroy);
  OnKeyDown = Handler(this, &TForm1::FormKeyDown);
  OnResize = Handler(this, &TForm1::FormResize);
  OnShow = Handler(this, &TForm1::FormShow);

  Image1 = new TVekImage(this);
  Image1->Name = "Image1";
  Image1->SetParent(this);
  Image1->SetBounds(0, 0, 536, 343);
  Image1->SetAlign(TAlign::alClient);
  Image1->SetCursor(crNone);
  Image1->OnMouseDown = Handler(this, &TForm1::Image1MouseDown);
  Image1->OnMouseMove = Handler(this, &TForm1::Image1MouseMove);

  AppEvents1 = new TAppEvents(this);
  AppEvents1->Name = "AppEvents1";
  AppEvents1->OnDeactivate = Handler(this, &TForm1::AppEvents1Deactivate);

  Timer1 = new TTimer(this);
  Timer1->Name = "Timer1";
  Timer1->SetInterval(1);
  Timer1->OnTimer = Handler(this, &TForm1::Timer1Timer);
}
