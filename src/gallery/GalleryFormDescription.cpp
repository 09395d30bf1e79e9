#include "DrivesPage.h"
#include "EffectPage.h"
#include "GalleryForm.h"
#include "ImagePage.h"
#include "PlotPage.h"
#include "PolygonPage.h"
#include "ProgressPage.h"
#include "ScalePage.h"
#include "framework/base/Handler.h"
#include "framework/ui/controls/Panel.h"
#include "framework/ui/controls/SpeedButton.h"
#include "framework/ui/controls/StaticText.h"

namespace {

constexpr int kTabWidth = 84;
constexpr int kTabHeight = 23;
constexpr int kTabGroup = 1;

}  // namespace

void TGalleryForm::CreateControls() {
  SetCaption("zzQuenbrel Gallery");
  SetClientWidth(640);
  SetClientHeight(480);
  Position = TPosition::poScreenCenter;
  OnShow = Handler(this, &TGalleryForm::FormShow);
  OnKeyDown = Handler(this, &TGalleryForm::FormKeyDown);

  TabBar = new TPanel(this);
  TabBar->Name = "TabBar";
  TabBar->SetParent(this);
  TabBar->SetHeight(kTabHeight + 8);
  TabBar->SetAlign(TAlign::alTop);

  StatusText = new TStaticText(this);
  StatusText->Name = "StatusText";
  StatusText->SetParent(this);
  StatusText->SetAutoSize(false);
  StatusText->SetBorderStyle(TStaticBorderStyle::sbsSunken);
  StatusText->SetHeight(19);
  StatusText->SetAlign(TAlign::alBottom);

  AddPage(ImagePage = new TImagePage(this), "The image surface: its drawing members, a popup menu, drag-and-drop");
  AddPage(ProgressPage = new TProgressPage(this), "TVekProgress: a gradient progress bar, filling or sweeping");
  AddPage(ScalePage = new TScalePage(this), "TEscala: a colour scale with labels and a marker");
  AddPage(PolygonPage = new TPolygonPage(this), "TPoly: a polygon and the measure of its outline");
  AddPage(PlotPage = new TPlotPage(this), "TCanvas2D: a plot with zoom, pan and home; turn the wheel over it too");
  AddPage(DrivesPage = new TDrivesPage(this), "TDiskInfo: the lettered drives of this machine");
  AddPage(EffectPage = new TEffectPage(this), "TQuenbrel: the saver's effect on an image surface");
  Constraints = LeastClientSize();
}

void TGalleryForm::AddPage(TGalleryPage* page, const std::string& status) {
  page->Name = page->Title() + "Page";
  page->SetParent(this);
  auto* tab = new TSpeedButton(this);
  tab->Name = page->Title() + "Tab";
  tab->SetParent(TabBar);
  tab->SetBounds(4 + static_cast<int>(Tabs.size()) * kTabWidth, 4, kTabWidth - 2, kTabHeight);
  tab->SetGroupIndex(kTabGroup);
  tab->SetCaption(page->Title());
  tab->OnClick = Handler(this, &TGalleryForm::TabClick);
  Tabs.push_back(tab);
  Pages.push_back(page);
  FStatus.push_back(status);
}
