#include "Canvas2D.h"

#include <utility>

#include "Canvas2DHourglass.h"
#include "VekImage.h"
#include "framework/base/Handler.h"
#include "framework/base/StoreChanged.h"
#include "framework/graphics/Canvas.h"
#include "framework/ui/core/CursorResources.h"
#include "framework/ui/core/Screen.h"
#include "vekutils/Vekutils.h"

namespace {

// Every plot fills the same three slots; the table keeps one picture per slot for the program.
void LoadCursors() {
  if (!Screen) return;
  Screen->SetCursorImage(crPanning, FindCursorResource("PANNING"));
  Screen->SetCursorImage(crZoomMore, FindCursorResource("ZOOMMORE"));
  Screen->SetCursorImage(crZoomLess, FindCursorResource("ZOOMLESS"));
}

// Raises one of the canvas's events through a copy of its handler, which may replace itself
// or destroy the canvas.
template <class Event, class... Args>
void Raise(const Event& event, Args&&... args) {
  if (!event) return;
  const Event handler = event;
  handler(std::forward<Args>(args)...);
}

}  // namespace

TCanvas2D::TCanvas2D(TComponent* owner)
    : TCustomPanel(owner),
      FImage(new TVekImage(this)),
      FMapping(*FImage),
      FAxes(FMapping, *FImage),
      FPrimitives(FMapping, *FImage),
      FZoom(
          FMapping, FPrimitives, *FImage, [this] { Draw(); }, FLifetime) {
  SetBevelInner(TBevelCut::bvLowered);
  SetBevelOuter(TBevelCut::bvLowered);
  SetBevelWidth(2);
  SetBounds(Left(), Top(), 160, 160);
  FAxes.Font.Color = clWhite;
  FImage->SetParent(this);
  LoadCursors();
  OnResize = Handler(this, &TCanvas2D::Canvas2DResize);
  FImage->OnDblClick = Handler(this, &TCanvas2D::Canvas2DDblClick);
  FImage->OnMouseDown = Handler(this, &TCanvas2D::Canvas2DMouseDown);
  FImage->OnMouseMove = Handler(this, &TCanvas2D::Canvas2DMouseMove);
  FImage->OnMouseUp = Handler(this, &TCanvas2D::Canvas2DMouseUp);
  FImage->OnMouseWheel = Handler(this, &TCanvas2D::Canvas2DMouseWheel);
}

TCanvas2D::~TCanvas2D() {
  // An animation or a handler further up the stack sees at once that the canvas is gone.
  FLifetime.reset();
  DestroyComponents();
}

TCanvas& TCanvas2D::Canvas() const { return FImage->Canvas(); }

// --- Properties ---

template <class T>
void TCanvas2D::StoreAndDraw(T& field, const T& value) {
  if (StoreChanged(field, value)) Draw();
}

void TCanvas2D::SetAxisColor(TColor color) { StoreAndDraw(FAxes.Font.Color, color); }

void TCanvas2D::SetAxisFont(const TFont& font) {
  FAxes.Font = font;
  Draw();
}

void TCanvas2D::SetAxisShow(bool show) { StoreAndDraw(FMapping.AxisShow, show); }

void TCanvas2D::SetMarginIfAllowed(int& margin, int value, int surfaceExtent) {
  if (value == margin) return;
  if (value < surfaceExtent / 2 - 20) margin = value;
  Draw();
}

void TCanvas2D::SetAxisXMargin(int margin) {
  SetMarginIfAllowed(FMapping.AxisXMargin, margin, FMapping.SurfaceWidth());
}
void TCanvas2D::SetAxisYMargin(int margin) {
  SetMarginIfAllowed(FMapping.AxisYMargin, margin, FMapping.SurfaceHeight());
}

void TCanvas2D::SetAxisXMarginAuto(bool automatic) { StoreAndDraw(FAxes.XMarginAuto, automatic); }
void TCanvas2D::SetAxisYMarginAuto(bool automatic) { StoreAndDraw(FAxes.YMarginAuto, automatic); }
void TCanvas2D::SetAxisXMarks(int marks) { StoreAndDraw(FAxes.XMarks, marks); }
void TCanvas2D::SetAxisYMarks(int marks) { StoreAndDraw(FAxes.YMarks, marks); }
void TCanvas2D::SetAxisXMax(double value) { StoreAndDraw(FMapping.Range.XMax, value); }
void TCanvas2D::SetAxisXMin(double value) { StoreAndDraw(FMapping.Range.XMin, value); }
void TCanvas2D::SetAxisYMax(double value) { StoreAndDraw(FMapping.Range.YMax, value); }
void TCanvas2D::SetAxisYMin(double value) { StoreAndDraw(FMapping.Range.YMin, value); }
void TCanvas2D::SetColorExt(TColor color) { StoreAndDraw(FAxes.ColorExt, color); }
void TCanvas2D::SetColorInt(TColor color) { StoreAndDraw(FAxes.ColorInt, color); }

void TCanvas2D::SetFormat(const std::string& format) {
  if (!StoreChanged(FAxes.Format, format)) return;
  const std::weak_ptr<int> alive = FLifetime;
  Draw();
  if (!alive.expired()) Raise(OnChangeFormat, this);
}

void TCanvas2D::SetZoomFactor(double factor) {
  if (factor > 0 && factor < 1) FZoom.Factor = factor;
}

void TCanvas2D::SetZoomSteps(int steps) {
  if (steps > 0) FZoom.Steps = steps;
}

// --- Layout and redraw ---

void TCanvas2D::ImageResize() {
  const int bevels = 2 * BevelWidth();
  FImage->SetBounds(bevels, bevels, Width() - 2 * bevels, Height() - 2 * bevels);
  FImage->Resize();
}

void TCanvas2D::Draw() {
  if (!Visible()) return;
  const std::weak_ptr<int> alive = FLifetime;
  TPlotHourglass hourglass(*FImage, alive);
  FAxes.MarginsAdjust();
  Canvas().ClearClipRect();
  Clear();
  DrawRegionSet();
  FPrimitives.ClearOverflow();
  Raise(OnDraw, this);
  if (alive.expired()) return;
  FZoom.Redrawn();
}

void TCanvas2D::Clear() {
  ImageResize();
  FAxes.Paint();
}

void TCanvas2D::DrawRegionSet() { FMapping.ClipToInterior(Canvas()); }

void TCanvas2D::AxisXAdjustToY() {
  if (FMapping.XAdjustToY()) Draw();
}

void TCanvas2D::AxisYAdjustToX() {
  if (FMapping.YAdjustToX()) Draw();
}

// --- Range changes ---

void TCanvas2D::AxisChange(double XMin, double YMin, double XMax, double YMax, int Steps) {
  FZoom.AxisChange({XMin, YMin, XMax, YMax}, Steps);
}

void TCanvas2D::AxisChange(double XMin0, double YMin0, double XMax0, double YMax0, double XMin1, double YMin1,
                           double XMax1, double YMax1, int Steps) {
  FZoom.AxisChange({XMin0, YMin0, XMax0, YMax0}, {XMin1, YMin1, XMax1, YMax1}, Steps);
}

void TCanvas2D::ZoomAll() { FZoom.Home({ZoomAllXMin, ZoomAllYMin, ZoomAllXMax, ZoomAllYMax}); }

// --- Notifications ---

void TCanvas2D::Canvas2DResize(TComponent*) {
  ImageResize();
  Draw();
}

void TCanvas2D::Canvas2DDblClick(TComponent*) { Raise(OnDblClick, this); }

void TCanvas2D::Canvas2DMouseDown(TComponent*, TMouseButton Button, TShiftState Shift, int X, int Y) {
  const std::weak_ptr<int> alive = FLifetime;
  if (FZoom.MouseDown(Button, X, Y) && !alive.expired()) Raise(OnMouseDown, this, Button, Shift, X, Y);
}

void TCanvas2D::Canvas2DMouseMove(TComponent*, TShiftState Shift, int X, int Y) {
  FZoom.MouseMove(X, Y);
  Raise(OnMouseMove, this, Shift, X, Y);
}

void TCanvas2D::Canvas2DMouseUp(TComponent*, TMouseButton Button, TShiftState Shift, int X, int Y) {
  const std::weak_ptr<int> alive = FLifetime;
  FZoom.MouseUp(Button);
  if (!alive.expired()) Raise(OnMouseUp, this, Button, Shift, X, Y);
}

void TCanvas2D::Canvas2DMouseWheel(TComponent*, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled) {
  const std::weak_ptr<int> alive = FLifetime;
  Raise(OnMouseWheel, this, Shift, WheelDelta, MousePos, Handled);
  if (alive.expired() || Handled) return;
  Handled = true;
  FZoom.Wheel(WheelDelta / WHEEL_DELTA, MousePos);
}
