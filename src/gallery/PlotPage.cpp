#include "PlotPage.h"

#include <cmath>
#include <numbers>

#include "components/Canvas2D.h"
#include "components/ColorButton.h"
#include "framework/graphics/Canvas.h"
#include "framework/ui/controls/ScrollBar.h"
#include "framework/ui/controls/SpeedButton.h"
#include "framework/ui/controls/StaticText.h"

namespace {

constexpr int kSegments = 2000;
constexpr double kFrom = -10, kTo = 10;

// A wave inside its envelope: sin(3x) fading as 1 / (1 + x^2 / 25).
double Envelope(double x) { return 1 / (1 + x * x / 25); }
double Wave(double x) { return Envelope(x) * std::sin(3 * x); }

}  // namespace

TPlotPage::TPlotPage(TComponent* owner) : TGalleryPage(owner, "Plot") { CreateControls(); }

void TPlotPage::PageShown() { PropertyChange(this); }

void TPlotPage::PropertyChange(TComponent*) {
  Plot1->SetColorInt(InsideButton->Color());
  Plot1->SetAxisXMarks(MarksBar->Position());
  Plot1->SetAxisYMarks(MarksBar->Position());
  Plot1->Draw();
}

void TPlotPage::Plot1Draw(TComponent*) {
  TCanvas& canvas = Plot1->Canvas();
  canvas.Pen.Color = clGray;
  Plot1->Line(kFrom, 0, kTo, 0);
  for (const int side : {1, -1}) {
    double x0 = kFrom;
    for (int i = 1; i <= kSegments / 10; ++i) {
      const double x1 = kFrom + (kTo - kFrom) * i / (kSegments / 10);
      Plot1->Line(x0, side * Envelope(x0), x1, side * Envelope(x1));
      x0 = x1;
    }
  }
  canvas.Pen.Color = CurveButton->Color();
  double x0 = kFrom;
  for (int i = 1; i <= kSegments; ++i) {
    const double x1 = kFrom + (kTo - kFrom) * i / kSegments;
    Plot1->Line(x0, Wave(x0), x1, Wave(x1));
    x0 = x1;
  }
  // The crests, where sin(3x) is 1 or -1: x = pi/6 + k pi/3.
  canvas.Brush.Color = clRed;
  canvas.Pen.Color = clMaroon;
  constexpr double first = std::numbers::pi / 6, step = std::numbers::pi / 3;
  for (double k = std::ceil((kFrom - first) / step); first + k * step < kTo; ++k) {
    const double x = first + k * step;
    Plot1->Point(x, Wave(x), 2);
  }
}

void TPlotPage::Plot1MouseMove(TComponent*, TShiftState, int X, int Y) {
  PointText->SetCaption(" x = " + Plot1->ScrToValXS(X) + "    y = " + Plot1->ScrToValYS(Y));
}

void TPlotPage::ModeButtonClick(TComponent* Sender) { Plot1->ZoomModeSet(Sender->Tag); }

void TPlotPage::HomeButtonClick(TComponent*) {
  Plot1->ZoomAll();
  ModeButtons.front()->SetDown(true);
  Plot1->ZoomModeSet(zmNone);
}
