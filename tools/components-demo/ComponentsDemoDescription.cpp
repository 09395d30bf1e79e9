#include "ComponentsDemo.h"
#include "components/Escala.h"
#include "components/PnlImg.h"
#include "components/Poly.h"
#include "components/VekProgress.h"
#include "framework/base/Handler.h"
#include "framework/ui/core/Timer.h"

void TComponentsDemo::CreateControls() {
  BorderStyle = TBorderStyle::bsDialog;
  Position = TPosition::poScreenCenter;
  SetCaption("Components");
  SetClientWidth(482);
  SetClientHeight(330);
  OnShow = Handler(this, &TComponentsDemo::FormShow);

  PnlImg1 = new TPnlImg(this);
  PnlImg1->Name = "PnlImg1";
  PnlImg1->SetParent(this);
  PnlImg1->SetBounds(10, 10, 160, 160);
  PnlImg1->SetScrollBars(true);
  PnlImg1->OnResize = Handler(this, &TComponentsDemo::PnlImg1Scroll);
  PnlImg1->OnScrollBarHChange = Handler(this, &TComponentsDemo::PnlImg1Scroll);
  PnlImg1->OnScrollBarVChange = Handler(this, &TComponentsDemo::PnlImg1Scroll);

  Poly1 = new TPoly(this);
  Poly1->Name = "Poly1";
  Poly1->SetParent(this);
  Poly1->SetBounds(180, 10, 160, 160);
  Poly1->SetCount(6);
  Poly1->SetColorBack(RGB(16, 24, 48));
  Poly1->SetColorBrush(RGB(40, 90, 200));
  Poly1->OnBeforeDraw = Handler(this, &TComponentsDemo::Poly1BeforeDraw);

  Escala1 = new TEscala(this);
  Escala1->Name = "Escala1";
  Escala1->SetParent(this);
  Escala1->SetBounds(350, 10, 48, 310);
  Escala1->SetGradColor1(clYellow);
  Escala1->SetGradColor2(clNavy);

  Escala2 = new TEscala(this);
  Escala2->Name = "Escala2";
  Escala2->SetParent(this);
  Escala2->SetOrientation(TEscalaOrientation::eoHorizontal);
  Escala2->SetBounds(10, 180, 330, 80);
  Escala2->SetGraduation(TEscalaGraduation::egThree);
  Escala2->SetFormat("0");
  Escala2->SetInterval(10);
  Escala2->SetMargin(12);

  VekProgress1 = new TVekProgress(this);
  VekProgress1->Name = "VekProgress1";
  VekProgress1->SetParent(this);
  VekProgress1->SetBounds(10, 270, 330, 20);
  VekProgress1->SetPosition(50);

  VekProgress2 = new TVekProgress(this);
  VekProgress2->Name = "VekProgress2";
  VekProgress2->SetParent(this);
  VekProgress2->SetBounds(10, 300, 330, 20);
  VekProgress2->SetIsTimer(true);
  VekProgress2->SetShowValue(false);
  VekProgress2->SetColor1(clBlack);
  VekProgress2->SetColor2(clLime);

  VekProgress3 = new TVekProgress(this);
  VekProgress3->Name = "VekProgress3";
  VekProgress3->SetParent(this);
  VekProgress3->SetBounds(440, 10, 32, 310);
  VekProgress3->SetOrientation(TVekProgressOrientation::vpoVertical);
  VekProgress3->SetColor1(clMaroon);
  VekProgress3->SetColor2(clYellow);
  VekProgress3->SetPosition(40);

  Timer1 = new TTimer(this);
  Timer1->Name = "Timer1";
  Timer1->SetInterval(40);
  Timer1->OnTimer = Handler(this, &TComponentsDemo::Timer1Timer);
}
