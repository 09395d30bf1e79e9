#include "EffectPage.h"

#include "components/ColorButton.h"
#include "components/VekImage.h"
#include "engine/Quenbrel.h"
#include "framework/ui/controls/ScrollBar.h"
#include "framework/ui/controls/SpeedButton.h"
#include "framework/ui/core/Timer.h"
#include "vekutils/Vekutils.h"

TEffectPage::TEffectPage(TComponent* owner) : TGalleryPage(owner, "Effect") {
  CreateControls();
  // No settings file: the colours are the page's own.
  Engine = new TQuenbrel("");
  Engine->Target = Image1;
  ColorChange(nullptr);
}

TEffectPage::~TEffectPage() {
  // The timer goes first, so that no tick reaches an engine that is gone.
  Timer1->SetEnabled(false);
  delete Engine;
}

bool TEffectPage::Running() const { return RunButtons.front()->Down(); }

void TEffectPage::PageShown() {
  Engine->Resize();
  Engine->NextFrame();
  Timer1->SetEnabled(Running());
}

void TEffectPage::PageHidden() { Timer1->SetEnabled(false); }

void TEffectPage::Frame1Resize(TComponent*) {
  if (Visible()) Engine->Resize();
}

void TEffectPage::Timer1Timer(TComponent*) { Engine->NextFrame(); }

// The engine keeps its colours in pixel order.
void TEffectPage::ColorChange(TComponent*) {
  Engine->Color1 = SwapRedBlue(ColorButton1->Color());
  Engine->Color2 = SwapRedBlue(ColorButton2->Color());
  Engine->MakePalette();
  if (!Visible()) return;
  Engine->Resize();
  Engine->NextFrame();
}

void TEffectPage::IntervalBarChange(TComponent*) { Timer1->SetInterval(IntervalBar->Position()); }

void TEffectPage::RunButtonClick(TComponent*) { Timer1->SetEnabled(Visible() && Running()); }
