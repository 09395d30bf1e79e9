#include "PlotForm.h"

#include <cmath>
#include <cstdio>

#include "components/Canvas2D.h"
#include "framework/graphics/Canvas.h"
#include "framework/ui/controls/SpeedButton.h"
#include "framework/ui/controls/StaticText.h"

namespace {

constexpr int kSegments = 4000;
constexpr double kEnd = 20;

double DampedSine(double x) { return 7 * std::exp(-x / 6) * std::sin(2 * x); }

}  // namespace

TPlotForm::TPlotForm(TComponent* owner) : TForm(owner) { CreateControls(); }

void TPlotForm::FormShow(TComponent*) { Plot->Draw(); }

void TPlotForm::ModeButtonClick(TComponent* Sender) { Plot->ZoomModeSet(Sender->Tag); }

void TPlotForm::HomeButtonClick(TComponent*) {
  Plot->ZoomAll();
  SelectButton->SetDown(true);
}

// The curve, the zero line, and a marked point on each crest and trough.
void TPlotForm::PlotDraw(TComponent*) {
  if (TraceFrames)
    std::fprintf(stderr, "frame %.17g %.17g %.17g %.17g\n", Plot->AxisXMin(), Plot->AxisXMax(), Plot->AxisYMin(),
                 Plot->AxisYMax());
  TCanvas& canvas = Plot->Canvas();
  canvas.Pen.Color = clGray;
  Plot->Line(0, 0, kEnd, 0);
  canvas.Pen.Color = clAqua;
  double x0 = 0, y0 = DampedSine(0);
  for (int i = 1; i <= kSegments; ++i) {
    const double x1 = kEnd * i / kSegments, y1 = DampedSine(x1);
    Plot->Line(x0, y0, x1, y1);
    x0 = x1;
    y0 = y1;
  }
  canvas.Pen.Color = clYellow;
  canvas.Brush.Color = clRed;
  for (double crest = M_PI / 4; crest < kEnd; crest += M_PI / 2) Plot->Point(crest, DampedSine(crest), 3);
}

void TPlotForm::PlotMouseDown(TComponent*, TMouseButton Button, TShiftState, int, int) {
  // Any button but the left one leaves the mode.
  if (Button != TMouseButton::mbLeft) SelectButton->SetDown(true);
}

void TPlotForm::PlotMouseMove(TComponent*, TShiftState, int X, int Y) {
  Status->SetCaption(" x = " + Plot->ScrToValXS(X) + "    y = " + Plot->ScrToValYS(Y));
}
