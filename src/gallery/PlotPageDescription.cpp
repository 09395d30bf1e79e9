#include "PlotPage.h"
#include "PropertyColumn.h"
#include "components/Canvas2D.h"
#include "components/ColorButton.h"
#include "framework/base/Handler.h"
#include "framework/ui/controls/ScrollBar.h"
#include "framework/ui/controls/SpeedButton.h"
#include "framework/ui/controls/StaticText.h"

void TPlotPage::CreateControls() {
  TPropertyColumn column(this, this, "Properties");
  ModeButtons = column.AddModes("ModeButton", "A left click", {"Nothing", "In", "Out", "Pan"}, 1);
  const int modes[] = {zmNone, zmZoomMore, zmZoomLess, zmPan};
  for (std::size_t i = 0; i < ModeButtons.size(); ++i) {
    ModeButtons[i]->Tag = modes[i];
    ModeButtons[i]->OnClick = Handler(this, &TPlotPage::ModeButtonClick);
  }
  HomeButton = column.AddButton("HomeButton", "Home");
  HomeButton->OnClick = Handler(this, &TPlotPage::HomeButtonClick);
  CurveButton = column.AddColor("CurveButton", "Curve", clNavy);
  CurveButton->OnChange = Handler(this, &TPlotPage::PropertyChange);
  InsideButton = column.AddColor("InsideButton", "Plot area", clWhite);
  InsideButton->OnChange = Handler(this, &TPlotPage::PropertyChange);
  MarksBar = column.AddBar("MarksBar", "Marks on each axis", 2, 12, 6);
  MarksBar->OnChange = Handler(this, &TPlotPage::PropertyChange);

  PointText = new TStaticText(this);
  PointText->Name = "PointText";
  PointText->SetParent(Showcase());
  PointText->SetAutoSize(false);
  PointText->SetHeight(17);
  PointText->SetAlign(TAlign::alBottom);

  Plot1 = new TCanvas2D(this);
  Plot1->Name = "Plot1";
  Plot1->SetParent(Showcase());
  Plot1->SetAlign(TAlign::alClient);
  Plot1->SetAxisXMin(-10);
  Plot1->SetAxisXMax(10);
  Plot1->SetAxisYMin(-1.5);
  Plot1->SetAxisYMax(1.5);
  Plot1->ZoomAllXMin = -10;
  Plot1->ZoomAllXMax = 10;
  Plot1->ZoomAllYMin = -1.5;
  Plot1->ZoomAllYMax = 1.5;
  // One decimal on every label: the margins are measured on the end labels, so that no label
  // may be wider than those.
  Plot1->SetFormat("0.0");
  Plot1->OnDraw = Handler(this, &TPlotPage::Plot1Draw);
  Plot1->OnMouseMove = Handler(this, &TPlotPage::Plot1MouseMove);
}
