#include "AppGlyphs.h"
#include "Form3.h"
#include "components/ColorButton.h"
#include "framework/base/Handler.h"
#include "framework/ui/controls/BitBtn.h"
#include "framework/ui/controls/Panel.h"
#include "framework/ui/controls/StaticText.h"

namespace {

TBitBtn* NewButton(TForm3* form, const char* name, TRect bounds, int tabOrder) {
  auto* button = new TBitBtn(form);
  button->Name = name;
  button->SetParent(form);
  button->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
  button->SetTabOrder(tabOrder);
  button->SetFont(form->Font);
  return button;
}

TColorButton* NewColorButton(TForm3* form, const char* name, TWinControl* parent, int left) {
  auto* button = new TColorButton(form);
  button->Name = name;
  button->SetParent(parent);
  button->SetBounds(left, 14, 97, button->Height());
  return button;
}

}  // namespace

void TForm3::CreateControls() {
  BorderStyle = TBorderStyle::bsDialog;
  SetCaption("Settings");
  SetClientWidth(361);
  SetClientHeight(105);
  Position = TPosition::poScreenCenter;
  SetVisible(true);
  Font.Name = "MS Sans Serif";
  Font.Height = -13;
  OnCreate = Handler(this, &TForm3::FormCreate);
  OnDestroy = Handler(this, &TForm3::FormDestroy);
  OnShow = Handler(this, &TForm3::FormShow);

  Panel1 = new TPanel(this);
  Panel1->Name = "Panel1";
  Panel1->SetParent(this);
  Panel1->SetBounds(8, 8, 345, 49);
  Panel1->SetBevelInner(TBevelCut::bvLowered);
  Panel1->SetTabOrder(0);

  StaticText3 = new TStaticText(this);
  StaticText3->Name = "StaticText3";
  StaticText3->SetParent(Panel1);
  StaticText3->SetAutoSize(false);
  StaticText3->SetBounds(16, 16, 97, 20);
  StaticText3->SetBorderStyle(TStaticBorderStyle::sbsSunken);
  StaticText3->SetTabOrder(0);
  StaticText3->SetFont(Font);
  StaticText3->SetCaption("Colours:");

  ColorButton1 = NewColorButton(this, "ColorButton1", Panel1, 128);
  ColorButton2 = NewColorButton(this, "ColorButton2", Panel1, 232);

  BitBtn1 = NewButton(this, "BitBtn1", Bounds(8, 64, 89, 33), 1);
  BitBtn1->SetKind(TBitBtnKind::bkOK);
  BitBtn1->OnClick = Handler(this, &TForm3::BitBtn1Click);

  BitBtn2 = NewButton(this, "BitBtn2", Bounds(104, 64, 89, 33), 2);
  BitBtn2->SetKind(TBitBtnKind::bkCancel);
  BitBtn2->OnClick = Handler(this, &TForm3::BitBtn2Click);

  BitBtn3 = NewButton(this, "BitBtn3", Bounds(248, 64, 107, 33), 3);
  BitBtn3->SetCaption("About...");
  BitBtn3->SetGlyph(*LightBulbGlyph());
  BitBtn3->SetNumGlyphs(2);
  BitBtn3->OnClick = Handler(this, &TForm3::BitBtn3Click);
}
