#include "PlotForm.h"

#include "components/Canvas2D.h"
#include "framework/base/Handler.h"
#include "framework/ui/controls/Panel.h"
#include "framework/ui/controls/SpeedButton.h"
#include "framework/ui/controls/StaticText.h"

namespace {

TSpeedButton* NewButton(TPlotForm* form, const char* name, const char* caption, int left, int mode) {
  auto* button = new TSpeedButton(form);
  button->Name = name;
  button->SetParent(form->Toolbar);
  button->SetBounds(left, 5, 80, 26);
  button->SetCaption(caption);
  button->SetFont(form->Font);
  button->Tag = mode;
  if (mode == zmNone || mode == zmZoomMore || mode == zmZoomLess || mode == zmPan) {
    button->SetGroupIndex(1);
    button->OnClick = Handler(form, &TPlotForm::ModeButtonClick);
  }
  return button;
}

}  // namespace

void TPlotForm::CreateControls() {
  SetCaption("Plot");
  SetBounds(0, 0, 640, 480);
  SetVisible(true);
  Font.Name = "MS Sans Serif";
  Font.Height = -11;
  OnShow = Handler(this, &TPlotForm::FormShow);

  Toolbar = new TPanel(this);
  Toolbar->Name = "Toolbar";
  Toolbar->SetParent(this);
  Toolbar->SetBounds(0, 0, 640, 36);
  Toolbar->SetAlign(TAlign::alTop);

  SelectButton = NewButton(this, "SelectButton", "Select", 5, zmNone);
  SelectButton->SetDown(true);
  ZoomInButton = NewButton(this, "ZoomInButton", "Zoom in", 90, zmZoomMore);
  ZoomOutButton = NewButton(this, "ZoomOutButton", "Zoom out", 175, zmZoomLess);
  PanButton = NewButton(this, "PanButton", "Pan", 260, zmPan);
  HomeButton = NewButton(this, "HomeButton", "Home", 365, -2);
  HomeButton->OnClick = Handler(this, &TPlotForm::HomeButtonClick);

  Status = new TStaticText(this);
  Status->Name = "Status";
  Status->SetParent(this);
  Status->SetAutoSize(false);
  Status->SetBounds(0, 460, 640, 20);
  Status->SetAlign(TAlign::alBottom);
  Status->SetBorderStyle(TStaticBorderStyle::sbsSunken);
  Status->SetFont(Font);

  Plot = new TCanvas2D(this);
  Plot->Name = "Plot";
  Plot->SetParent(this);
  Plot->SetAlign(TAlign::alClient);
  Plot->SetAxisXMarks(9);
  Plot->SetAxisYMarks(7);
  Plot->SetAxisXMin(0);
  Plot->SetAxisXMax(20);
  Plot->SetAxisYMin(-8);
  Plot->SetAxisYMax(8);
  Plot->ZoomAllXMin = 0;
  Plot->ZoomAllXMax = 20;
  Plot->ZoomAllYMin = -8;
  Plot->ZoomAllYMax = 8;
  Plot->SetFormat("0.##");
  Plot->OnDraw = Handler(this, &TPlotForm::PlotDraw);
  Plot->OnMouseDown = Handler(this, &TPlotForm::PlotMouseDown);
  Plot->OnMouseMove = Handler(this, &TPlotForm::PlotMouseMove);
}
