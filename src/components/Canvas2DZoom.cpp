#include "Canvas2DZoom.h"

#include <cmath>
#include <utility>

#include "Canvas2DHourglass.h"
#include "Canvas2DPrimitives.h"
#include "VekImage.h"
#include "framework/base/ScopeExit.h"
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

// Paces an animation on the application's own loop: Wait runs the loop, so that input and
// painting go on between frames, until the next frame is due. Without a loop it never waits.
class TFrameClock {
 public:
  TFrameClock() {
    if (!LoopRuns()) return;
    FTimer = std::make_unique<TTimer>(nullptr);
    FTimer->SetInterval(TPlotZoom::FrameIntervalMs);
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

double Between(double from, double to, int step, int steps) {
  return static_cast<double>(from + (static_cast<long double>(to) - from) * (static_cast<long double>(step) / steps));
}

TPlotRange Between(const TPlotRange& from, const TPlotRange& to, int step, int steps) {
  return {Between(from.XMin, to.XMin, step, steps), Between(from.YMin, to.YMin, step, steps),
          Between(from.XMax, to.XMax, step, steps), Between(from.YMax, to.YMax, step, steps)};
}

// A range of the given spans from its minima, which are rounded to doubles first.
TPlotRange Spanning(long double xMin, long double yMin, long double w, long double h) {
  const auto x = static_cast<double>(xMin), y = static_cast<double>(yMin);
  return {x, y, static_cast<double>(x + w), static_cast<double>(y + h)};
}

}  // namespace

TPlotZoom::TPlotZoom(TPlotMapping& mapping, const TPlotPrimitives& primitives, TVekImage& surface,
                     std::function<void()> redraw, std::weak_ptr<int> alive)
    : FMapping(mapping),
      FPrimitives(primitives),
      FSurface(surface),
      FRedraw(std::move(redraw)),
      FAlive(std::move(alive)) {}

TCanvas& TPlotZoom::Canvas() const { return FSurface.Canvas(); }

void TPlotZoom::AxisChange(TPlotRange to, int steps) {
  if (!SpanAllowed(to.XMax - to.XMin) || !SpanAllowed(to.YMax - to.YMin)) {
    DefaultBeep();
    return;
  }
  TPlotHourglass hourglass(FSurface, FAlive);
  AxisChange(FMapping.Range, to, steps);
}

void TPlotZoom::AxisChange(TPlotRange from, TPlotRange to, int steps) {
  const auto alive = FAlive;
  TScopeExit busy{[this, alive, before = FBusy] {
    if (!alive.expired()) FBusy = before;
  }};
  FBusy = true;
  FStop = false;
  // A picture that overflowed before this change is no fault of it: only a step into an
  // overflow is undone.
  const bool overflowedBefore = FPrimitives.Overflow();
  TFrameClock clock;
  for (int i = 1; i <= steps; ++i) {
    FMapping.Range = i == steps ? to : Between(from, to, i, steps);
    FRedraw();
    if (alive.expired()) return;
    // Input waits for the loop after the last frame, when the range no longer moves. The
    // last frame stays, drawn in full or not.
    if (i == steps) return;
    if (FPrimitives.Overflow() && !overflowedBefore) {
      FMapping.Range = from;
      FRedraw();
      return;
    }
    // Clicks arrive here: a button other than the left one asks to stop.
    clock.Wait([&] { return alive.expired() || FStop; });
    if (alive.expired() || FStop) return;
  }
}

// A mode of no meaning is stored as any other, with the cursor left as it is: a left click
// then does nothing.
void TPlotZoom::ModeSet(int mode) {
  ++FModeSettings;
  if (mode == FMode) return;
  if (FMode == zmZoomMore) ZoomDraw();
  if (FMode == zmPan) {
    if (FPanning) PanDraw();
    FPanning = false;
  }
  FMode = mode;
  switch (mode) {
    case zmZoomMore:
      FSurface.SetCursor(crZoomMore);
      ZoomDraw(FMapping.SurfaceWidth() / 2, FMapping.SurfaceHeight() / 2);
      break;
    case zmZoomLess: FSurface.SetCursor(crZoomLess); break;
    case zmPan: FSurface.SetCursor(crPanning); break;
    case zmNone: FSurface.SetCursor(crDefault); break;
    default: break;
  }
}

void TPlotZoom::Home(TPlotRange home) {
  // A running animation ends here, or its next frame would take the range away again.
  FStop = true;
  ModeSet(zmNone);
  FMapping.Range = home;
  FRedraw();
}

void TPlotZoom::AxisChangeIn(int mode, TPlotRange to) {
  ModeSet(zmNone);
  const auto alive = FAlive;
  TScopeExit again{[this, alive, mode, settings = FModeSettings] {
    if (!alive.expired() && FModeSettings == settings) ModeSet(mode);
  }};
  AxisChange(to, Steps);
}

void TPlotZoom::ZoomMore() {
  const TPlotRange& r = FMapping.Range;
  const long double w = (static_cast<long double>(r.XMax) - r.XMin) * Factor;
  const long double h = (static_cast<long double>(r.YMax) - r.YMin) * Factor;
  // The box is drawn again at the centre once the animation is over.
  AxisChangeIn(zmZoomMore, Spanning(FMapping.ScrToValX(FZoomCenter.X) - 0.5L * w,
                                    FMapping.ScrToValY(FZoomCenter.Y) - 0.5L * h, w, h));
}

void TPlotZoom::ZoomLess(int X, int Y) {
  const TPlotRange& r = FMapping.Range;
  const long double w = (static_cast<long double>(r.XMax) - r.XMin) / Factor;
  const long double h = (static_cast<long double>(r.YMax) - r.YMin) / Factor;
  AxisChange(Spanning(FMapping.ScrToValX(X) - 0.5L * w, FMapping.ScrToValY(Y) - 0.5L * h, w, h), Steps);
}

void TPlotZoom::Pan() {
  // The picture moves with the mouse: the range goes the other way.
  const double dx = FMapping.ScrToValX(FPanEnd.X) - FMapping.ScrToValX(FPanStart.X);
  const double dy = FMapping.ScrToValY(FPanEnd.Y) - FMapping.ScrToValY(FPanStart.Y);
  const TPlotRange& r = FMapping.Range;
  AxisChangeIn(zmPan, {r.XMin - dx, r.YMin - dy, r.XMax - dx, r.YMax - dy});
}

// The zoom box outlines what will fill the plot after zooming in. Its sides are drawn with
// an inverting pen and never cross, so that drawing it again at the same place erases it.
void TPlotZoom::ZoomDraw() {
  const bool axes = FMapping.AxisShow;
  const int w = axes ? FMapping.PlotWidth() : FMapping.SurfaceWidth();
  const int h = axes ? FMapping.PlotHeight() : FMapping.SurfaceHeight();
  TCanvas& canvas = Canvas();
  FMapping.ClipToInterior(canvas);
  const int a = RoundToInt(h * 0.5 * Factor), b = RoundToInt(w * 0.5 * Factor);
  const int cx = FZoomCenter.X, cy = FZoomCenter.Y;
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

void TPlotZoom::ZoomDraw(int X, int Y) {
  FZoomCenter = {X, Y};
  ZoomDraw();
}

// A drag that has not moved yet has no line to show.
void TPlotZoom::PanDraw() {
  if (FPanStart == FPanEnd) return;
  TCanvas& canvas = Canvas();
  canvas.Pen.Mode = TPenMode::pmNot;
  canvas.Pen.Width = 2;
  canvas.MoveTo(FPanStart.X, FPanStart.Y);
  canvas.LineTo(FPanEnd.X, FPanEnd.Y);
  canvas.Pen.Mode = TPenMode::pmCopy;
  canvas.Pen.Width = 1;
}

void TPlotZoom::PanDraw(int X, int Y) {
  FPanEnd = {X, Y};
  PanDraw();
}

void TPlotZoom::Redrawn() {
  if (FMode == zmZoomMore) ZoomDraw();
}

// --- Input ---

bool TPlotZoom::MouseDown(TMouseButton button, int X, int Y) {
  if (button != TMouseButton::mbLeft) {
    if (!FBusy) ModeSet(zmNone);
    FStop = true;
    return true;
  }
  if (FBusy) return false;
  if (FMode == zmZoomMore) ZoomMore();
  else if (FMode == zmZoomLess) ZoomLess(X, Y);
  else if (FMode == zmPan) {
    FPanStart = FPanEnd = {X, Y};
    FPanning = true;
  }
  return true;
}

void TPlotZoom::MouseMove(int X, int Y) {
  if (FMode == zmZoomMore) {
    ZoomDraw();
    ZoomDraw(X, Y);
  } else if (FMode == zmPan && FPanning) {
    PanDraw();
    PanDraw(X, Y);
  }
}

void TPlotZoom::MouseUp(TMouseButton button) {
  if (button != TMouseButton::mbLeft || FMode != zmPan || !FPanning) return;
  PanDraw();
  FPanning = false;
  Pan();
}

// Each notch away from the user zooms in by Factor, each towards zooms out, and the world
// point under the pointer stays where it is. Not while the range moves or a pan drags.
void TPlotZoom::Wheel(int notches, TPoint at) {
  if (notches == 0 || FBusy || FPanning) return;
  // The margins follow the labels, so after a zoom the pixel shows a slightly different
  // point. Turns in a row at one spot keep the first one's point: a turn back restores the range.
  const TPlotRange& r = FMapping.Range;
  const bool again = FWheelAnchor && FWheelAnchor->At == at && FWheelAnchor->Left == r;
  const long double x = again ? FWheelAnchor->X : FMapping.ScrToValX(at.X);
  const long double y = again ? FWheelAnchor->Y : FMapping.ScrToValY(at.Y);
  const long double scale = std::pow(static_cast<long double>(Factor), notches);
  const auto alive = FAlive;
  AxisChange({static_cast<double>(x + (r.XMin - x) * scale), static_cast<double>(y + (r.YMin - y) * scale),
              static_cast<double>(x + (r.XMax - x) * scale), static_cast<double>(y + (r.YMax - y) * scale)},
             Steps);
  if (!alive.expired()) FWheelAnchor = TWheelAnchor{at, static_cast<double>(x), static_cast<double>(y), FMapping.Range};
}
