// The plot's interaction: animated range changes, the zoom and pan modes with their
// rubber bands, and the mouse.
#include <cmath>
#include <memory>
#include <utility>

#include "Canvas2D.h"
#include "VekImage.h"
#include "framework/graphics/Canvas.h"
#include "framework/ui/core/Application.h"
#include "framework/ui/core/Timer.h"
#include "vekutils/Vekutils.h"

namespace {

// Narrower or wider spans cannot be told apart from their neighbours, or not be drawn.
bool SpanAllowed(double span) { return span >= 1e-20 && span <= 1e20; }

bool LoopRuns() { return Application && Application->HasWindowSystem(); }

void DefaultBeep() {
  if (LoopRuns()) Application->WindowSystem().Beep();
}

// Runs an action when a scope ends, however it ends, unless the canvas is gone by then.
template <class F>
class TOnExit {
 public:
  TOnExit(std::weak_ptr<int> alive, F action) : FAlive(std::move(alive)), FAction(std::move(action)) {}
  ~TOnExit() {
    if (!FAlive.expired()) FAction();
  }
  TOnExit(const TOnExit&) = delete;
  TOnExit& operator=(const TOnExit&) = delete;

 private:
  std::weak_ptr<int> FAlive;
  F FAction;
};

// Paces an animation on the application's own loop: Wait runs the loop, so that input and
// painting go on between frames, until the next frame is due. Without a loop it never waits.
class TFrameClock {
 public:
  TFrameClock() {
    if (!LoopRuns()) return;
    FTimer = std::make_unique<TTimer>(nullptr);
    FTimer->SetInterval(TCanvas2D::FrameIntervalMs);
    FTimer->OnTimer = [this](TComponent*) { FDue = true; };
  }
  // Returns once the next frame is due, or at once when `cancelled` holds.
  template <class F>
  void Wait(F&& cancelled) {
    if (!FTimer) return;
    Application->ProcessMessages();
    while (!FDue && !cancelled()) Application->HandleMessage();
    FDue = false;
  }

 private:
  std::unique_ptr<TTimer> FTimer;
  bool FDue = false;
};

// Raises one of the canvas's events through a copy of its handler, which may destroy the canvas.
template <class Event, class... Args>
void Raise(const Event& event, Args&&... args) {
  if (!event) return;
  const Event handler = event;
  handler(std::forward<Args>(args)...);
}

double Between(double from, double to, int step, int steps) {
  return static_cast<double>(from + (static_cast<long double>(to) - from) * (static_cast<long double>(step) / steps));
}

}  // namespace

void TCanvas2D::SetRange(const TRange& range) {
  FAxisXMin = range.XMin;
  FAxisYMin = range.YMin;
  FAxisXMax = range.XMax;
  FAxisYMax = range.YMax;
}

void TCanvas2D::AxisChange(double XMin, double YMin, double XMax, double YMax, int Steps) {
  if (!SpanAllowed(XMax - XMin) || !SpanAllowed(YMax - YMin)) {
    DefaultBeep();
    return;
  }
  THourglass hourglass(*this);
  AxisChange(FAxisXMin, FAxisYMin, FAxisXMax, FAxisYMax, XMin, YMin, XMax, YMax, Steps);
}

void TCanvas2D::AxisChange(double XMin0, double YMin0, double XMax0, double YMax0, double XMin1, double YMin1,
                           double XMax1, double YMax1, int Steps) {
  const auto alive = Lifetime();
  TOnExit busy{alive, [this, before = FBusy] { FBusy = before; }};
  FBusy = true;
  FStop = false;
  const TRange from{XMin0, YMin0, XMax0, YMax0}, to{XMin1, YMin1, XMax1, YMax1};
  // A picture that overflowed before this change is no fault of it: only a step into an
  // overflow is undone.
  const bool overflowedBefore = FOverflow;
  TFrameClock clock;
  for (int i = 1; i <= Steps; ++i) {
    SetRange(i == Steps ? to
                        : TRange{Between(from.XMin, to.XMin, i, Steps), Between(from.YMin, to.YMin, i, Steps),
                                 Between(from.XMax, to.XMax, i, Steps), Between(from.YMax, to.YMax, i, Steps)});
    Draw();
    if (alive.expired()) return;
    if (FOverflow && !overflowedBefore) {
      SetRange(from);
      Draw();
      return;
    }
    // Input waits for the loop after the last frame, when the range no longer moves.
    if (i == Steps) return;
    // Clicks arrive here: a button other than the left one asks to stop.
    clock.Wait([&] { return alive.expired() || FStop; });
    if (alive.expired() || FStop) return;
  }
}

void TCanvas2D::ZoomModeSet(int Mode) {
  ++FModeSettings;
  if (Mode == FZoomMode) return;
  if (Mode != zmNone && Mode != zmZoomMore && Mode != zmZoomLess && Mode != zmPan) return;
  if (FZoomMode == zmZoomMore) ZoomDraw();
  if (FZoomMode == zmPan) {
    if (FPanning) PanDraw();
    FPanning = false;
  }
  FZoomMode = Mode;
  switch (Mode) {
    case zmZoomMore:
      FImage->SetCursor(crZoomMore);
      ZoomDraw(SurfaceWidth() / 2, SurfaceHeight() / 2);
      break;
    case zmZoomLess: FImage->SetCursor(crZoomLess); break;
    case zmPan: FImage->SetCursor(crPanning); break;
    default: FImage->SetCursor(crDefault); break;
  }
}

void TCanvas2D::ZoomAll() {
  // A running animation ends here, or its next frame would take the range away again.
  FStop = true;
  ZoomModeSet(zmNone);
  SetRange({ZoomAllXMin, ZoomAllYMin, ZoomAllXMax, ZoomAllYMax});
  Draw();
}

void TCanvas2D::ZoomMore() {
  const long double w = (static_cast<long double>(FAxisXMax) - FAxisXMin) * FZoomFactor;
  const long double h = (static_cast<long double>(FAxisYMax) - FAxisYMin) * FZoomFactor;
  const auto xMin = static_cast<double>(ScrToValX(FZoomCenter.X) - 0.5L * w);
  const auto yMin = static_cast<double>(ScrToValY(FZoomCenter.Y) - 0.5L * h);
  ZoomModeSet(zmNone);
  TOnExit again{Lifetime(), [this, settings = FModeSettings] {
                  if (FModeSettings == settings) ZoomModeSet(zmZoomMore);
                }};
  AxisChange(xMin, yMin, static_cast<double>(xMin + w), static_cast<double>(yMin + h), FZoomSteps);
}

void TCanvas2D::ZoomLess(int X, int Y) {
  const long double w = (static_cast<long double>(FAxisXMax) - FAxisXMin) / FZoomFactor;
  const long double h = (static_cast<long double>(FAxisYMax) - FAxisYMin) / FZoomFactor;
  const auto xMin = static_cast<double>(ScrToValX(X) - 0.5L * w);
  const auto yMin = static_cast<double>(ScrToValY(Y) - 0.5L * h);
  AxisChange(xMin, yMin, static_cast<double>(xMin + w), static_cast<double>(yMin + h), FZoomSteps);
}

void TCanvas2D::Pan() {
  // The picture moves with the mouse: the range goes the other way.
  const double dx = ScrToValX(FPanEnd.X) - ScrToValX(FPanStart.X);
  const double dy = ScrToValY(FPanEnd.Y) - ScrToValY(FPanStart.Y);
  ZoomModeSet(zmNone);
  TOnExit again{Lifetime(), [this, settings = FModeSettings] {
                  if (FModeSettings == settings) ZoomModeSet(zmPan);
                }};
  AxisChange(FAxisXMin - dx, FAxisYMin - dy, FAxisXMax - dx, FAxisYMax - dy, FZoomSteps);
}

// The zoom box outlines what will fill the plot after zooming in. Its sides are drawn with
// an inverting pen and never cross, so that drawing it again at the same place erases it.
void TCanvas2D::ZoomDraw() {
  const int w = FAxisShow ? ClientWidthGet() : SurfaceWidth();
  const int h = FAxisShow ? ClientHeightGet() : SurfaceHeight();
  DrawRegionSet();
  const int a = RoundToInt(h * 0.5 * FZoomFactor), b = RoundToInt(w * 0.5 * FZoomFactor);
  const int cx = FZoomCenter.X, cy = FZoomCenter.Y;
  TCanvas& canvas = Canvas();
  canvas.Pen.Mode = TPenMode::pmNot;
  canvas.Pen.Width = 2;
  canvas.MoveTo(cx - b, cy - a);
  canvas.LineTo(cx + b, cy - a);
  canvas.MoveTo(cx - b, cy + a);
  canvas.LineTo(cx + b, cy + a);
  canvas.MoveTo(cx - b, cy - a + 2);
  canvas.LineTo(cx - b, cy + a - 2);
  canvas.MoveTo(cx + b, cy - a + 2);
  canvas.LineTo(cx + b, cy + a - 2);
  canvas.Pen.Mode = TPenMode::pmCopy;
  canvas.Pen.Width = 1;
}

void TCanvas2D::ZoomDraw(int X, int Y) {
  FZoomCenter = {X, Y};
  ZoomDraw();
}

// A drag that has not moved yet has no line to show.
void TCanvas2D::PanDraw() {
  if (FPanStart == FPanEnd) return;
  TCanvas& canvas = Canvas();
  canvas.Pen.Mode = TPenMode::pmNot;
  canvas.Pen.Width = 2;
  canvas.MoveTo(FPanStart.X, FPanStart.Y);
  canvas.LineTo(FPanEnd.X, FPanEnd.Y);
  canvas.Pen.Mode = TPenMode::pmCopy;
  canvas.Pen.Width = 1;
}

void TCanvas2D::PanDraw(int X, int Y) {
  FPanEnd = {X, Y};
  PanDraw();
}

// --- Notifications ---

void TCanvas2D::Canvas2DResize(TComponent*) {
  ImageResize();
  Draw();
}

void TCanvas2D::Canvas2DDblClick(TComponent*) { Raise(OnDblClick, this); }

void TCanvas2D::Canvas2DMouseDown(TComponent*, TMouseButton Button, TShiftState Shift, int X, int Y) {
  const auto alive = Lifetime();
  if (Button == TMouseButton::mbLeft) {
    // A press while the range moves is no request at all.
    if (FBusy) return;
    if (FZoomMode == zmZoomMore) ZoomMore();
    else if (FZoomMode == zmZoomLess) ZoomLess(X, Y);
    else if (FZoomMode == zmPan) {
      FPanStart = FPanEnd = {X, Y};
      FPanning = true;
    }
  } else {
    if (!FBusy) ZoomModeSet(zmNone);
    FStop = true;
  }
  if (!alive.expired()) Raise(OnMouseDown, this, Button, Shift, X, Y);
}

void TCanvas2D::Canvas2DMouseMove(TComponent*, TShiftState Shift, int X, int Y) {
  if (FZoomMode == zmZoomMore) {
    ZoomDraw();
    ZoomDraw(X, Y);
  } else if (FZoomMode == zmPan && FPanning) {
    PanDraw();
    PanDraw(X, Y);
  }
  Raise(OnMouseMove, this, Shift, X, Y);
}

void TCanvas2D::Canvas2DMouseUp(TComponent*, TMouseButton Button, TShiftState Shift, int X, int Y) {
  const auto alive = Lifetime();
  if (Button == TMouseButton::mbLeft && FZoomMode == zmPan && FPanning) {
    PanDraw();
    FPanning = false;
    Pan();
  }
  if (!alive.expired()) Raise(OnMouseUp, this, Button, Shift, X, Y);
}

void TCanvas2D::Canvas2DMouseWheel(TComponent*, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled) {
  const auto alive = Lifetime();
  Raise(OnMouseWheel, this, Shift, WheelDelta, MousePos, Handled);
  if (alive.expired() || Handled) return;
  Handled = true;
  WheelZoom(WheelDelta / WHEEL_DELTA, MousePos);
}

// Each notch away from the user zooms in by ZoomFactor, each towards zooms out, and the
// world point under the pointer stays where it is. Not while the range moves or a pan drags.
void TCanvas2D::WheelZoom(int notches, TPoint at) {
  if (notches == 0 || FBusy || FPanning) return;
  // The margins follow the labels, so after a zoom the pixel shows a slightly different
  // point. Turns in a row at one spot keep the first one's point: a turn back restores the range.
  const bool again = FWheelAnchor && FWheelAnchor->At == at && FWheelAnchor->Left == Range();
  const long double x = again ? FWheelAnchor->X : ScrToValX(at.X);
  const long double y = again ? FWheelAnchor->Y : ScrToValY(at.Y);
  const long double scale = std::pow(static_cast<long double>(FZoomFactor), notches);
  const auto alive = Lifetime();
  AxisChange(static_cast<double>(x + (FAxisXMin - x) * scale), static_cast<double>(y + (FAxisYMin - y) * scale),
             static_cast<double>(x + (FAxisXMax - x) * scale), static_cast<double>(y + (FAxisYMax - y) * scale),
             FZoomSteps);
  if (!alive.expired()) FWheelAnchor = TWheelAnchor{at, static_cast<double>(x), static_cast<double>(y), Range()};
}
