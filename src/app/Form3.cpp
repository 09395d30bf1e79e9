#include "Form3.h"

#include "AboutF.h"
#include "EngineFactory.h"
#include "components/ColorButton.h"
#include "engine/Quenbrel.h"
#include "framework/base/Exceptions.h"
#include "framework/ui/controls/BitBtn.h"
#include "framework/ui/core/Application.h"
#include "vekutils/Vekutils.h"

TForm3* Form3 = nullptr;

TForm3::TForm3(TComponent* owner) : TForm(owner) { CreateControls(); }

TForm3::~TForm3() {
  if (Form3 == this) Form3 = nullptr;
}

void TForm3::FormCreate(TComponent*) {
  PrevWnd = System().ForegroundWindow();
  // Without a foreground window there is nothing to disable.
  if (PrevWnd) System().EnableForeignWindow(PrevWnd, false);
  Engine = NewEngine();
  try {
    Engine->LoadSettings();
  } catch (const Exception&) {
    // The buttons show the engine's colours (its defaults, as the saver would use them), so
    // that OK stores only what the user saw; the error goes on to its box.
    ShowEngineColours();
    throw;
  }
  ShowEngineColours();
}

void TForm3::ShowEngineColours() {
  ColorButton1->SetColor(SwapRedBlue(Engine->Color1));
  ColorButton2->SetColor(SwapRedBlue(Engine->Color2));
}

void TForm3::FormShow(TComponent*) { System().HideTaskbarWindow(); }

void TForm3::BitBtn1Click(TComponent*) {
  Engine->Color1 = SwapRedBlue(ColorButton1->Color());
  Engine->Color2 = SwapRedBlue(ColorButton2->Color());
  Engine->SaveSettings();
  // The Cancel button's own click: its modal result (nothing on this modeless form), then
  // its handler, which closes the form.
  BitBtn2->Click();
}

void TForm3::BitBtn2Click(TComponent*) { Close(); }

void TForm3::BitBtn3Click(TComponent*) {
  AboutF = new TAboutF(Application);
  AboutF->ShowModal();
  delete AboutF;
}

void TForm3::FormDestroy(TComponent*) {
  delete Engine;
  Engine = nullptr;
  if (!PrevWnd) return;
  System().EnableForeignWindow(PrevWnd, true);
  System().SetForegroundWindow(PrevWnd);
}
