#include "AboutF.h"
#include "AppGlyphs.h"
#include "framework/base/Handler.h"
#include "framework/ui/controls/BitBtn.h"
#include "framework/ui/controls/Image.h"
#include "framework/ui/controls/Panel.h"
#include "framework/ui/controls/SpeedButton.h"

namespace {

TSpeedButton* NewFlagButton(TAboutF* form, int left, TFlag flag) {
  auto* button = new TSpeedButton(form);
  button->SetParent(form);
  button->SetBounds(left, 232, 34, 26);
  button->SetCursor(crHandPoint);
  button->SetGroupIndex(1);
  button->SetMargin(2);
  button->SetGlyph(*FlagGlyph(flag));
  button->OnClick = Handler(form, &TAboutF::SpeedButton1Click);
  return button;
}

TImage* NewPanelImage(TAboutF* form, TPanel* panel, bool visible) {
  auto* image = new TImage(form);
  image->SetParent(panel);
  image->SetBounds(1, 1, 335, 215);
  image->SetAlign(TAlign::alClient);
  image->SetVisible(visible);
  return image;
}

}  // namespace

void TAboutF::CreateControls() {
  BorderStyle = TBorderStyle::bsDialog;
  SystemMenu = false;
  SetClientWidth(353);
  SetClientHeight(265);
  Position = TPosition::poScreenCenter;
  Font.Name = "MS Sans Serif";
  Font.Height = -13;
  OnCreate = Handler(this, &TAboutF::FormCreate);
  OnPaint = Handler(this, &TAboutF::FormPaint);

  SpeedButton1 = NewFlagButton(this, 8, TFlag::UnionFlag);
  SpeedButton1->Name = "SpeedButton1";
  SpeedButton1->SetDown(true);
  SpeedButton2 = NewFlagButton(this, 42, TFlag::Galician);
  SpeedButton2->Name = "SpeedButton2";
  SpeedButton3 = NewFlagButton(this, 76, TFlag::Spanish);
  SpeedButton3->Name = "SpeedButton3";

  Panel1 = new TPanel(this);
  Panel1->Name = "Panel1";
  Panel1->SetParent(this);
  Panel1->SetBounds(8, 8, 337, 217);
  Panel1->SetBevelOuter(TBevelCut::bvLowered);
  Panel1->SetTabOrder(0);

  Image1 = NewPanelImage(this, Panel1, false);
  Image1->Name = "Image1";
  Image2 = NewPanelImage(this, Panel1, false);
  Image2->Name = "Image2";
  Image3 = NewPanelImage(this, Panel1, true);
  Image3->Name = "Image3";

  BitBtn1 = new TBitBtn(this);
  BitBtn1->Name = "BitBtn1";
  BitBtn1->SetParent(this);
  BitBtn1->SetBounds(256, 232, 89, 26);
  BitBtn1->SetTabOrder(1);
  BitBtn1->SetKind(TBitBtnKind::bkOK);
  BitBtn1->SetFont(Font);
}
