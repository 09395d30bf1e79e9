#include "Canvas2D.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "VekImage.h"
#include "framework/base/Handler.h"
#include "framework/base/Saturate.h"
#include "framework/base/StoreChanged.h"
#include "framework/graphics/Canvas.h"
#include "framework/ui/core/CursorResources.h"
#include "framework/ui/core/Screen.h"
#include "vekutils/Vekutils.h"

namespace {

bool Finite(std::initializer_list<double> values) {
  return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

// The share of the span up to a value, times the plot's extent, in extended precision.
long double Scaled(double value, double min, double max, int extent) {
  return (static_cast<long double>(value) - min) / (static_cast<long double>(max) - min) * extent;
}

// A span maps only when it is a positive finite number.
bool SpanMaps(double min, double max) {
  return std::isfinite(min) && std::isfinite(max) && static_cast<long double>(max) - min > 0;
}

// Every plot fills the same three slots; the table keeps one picture per slot for the program.
void LoadCursors() {
  if (!Screen) return;
  Screen->SetCursorImage(crPanning, FindCursorResource("PANNING"));
  Screen->SetCursorImage(crZoomMore, FindCursorResource("ZOOMMORE"));
  Screen->SetCursorImage(crZoomLess, FindCursorResource("ZOOMLESS"));
}

}  // namespace

TCanvas2D::TCanvas2D(TComponent* owner) : TCustomPanel(owner), FImage(new TVekImage(this)) {
  SetBevelInner(TBevelCut::bvLowered);
  SetBevelOuter(TBevelCut::bvLowered);
  SetBevelWidth(2);
  SetBounds(Left(), Top(), 160, 160);
  FAxisFont.Color = clWhite;
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

TCanvas2D::THourglass::THourglass(TCanvas2D& canvas)
    : FCanvas(canvas), FAlive(canvas.Lifetime()), FSaved(canvas.FImage->Cursor()) {
  canvas.FImage->SetCursor(crHourGlass);
}

TCanvas2D::THourglass::~THourglass() {
  if (!FAlive.expired() && FCanvas.FImage->Cursor() == crHourGlass) FCanvas.FImage->SetCursor(FSaved);
}

// --- Properties ---

void TCanvas2D::SetAxisColor(TColor color) {
  if (StoreChanged(FAxisFont.Color, color)) Draw();
}

void TCanvas2D::SetAxisFont(const TFont& font) {
  FAxisFont = font;
  Draw();
}

void TCanvas2D::SetAxisShow(bool show) { StoreAndDraw(FAxisShow, show); }

void TCanvas2D::SetMarginIfAllowed(int& margin, int value, int surfaceExtent) {
  if (value == margin) return;
  if (value >= 0 && value < surfaceExtent / 2 - 20) margin = value;
  Draw();
}

void TCanvas2D::SetAxisXMargin(int margin) { SetMarginIfAllowed(FAxisXMargin, margin, SurfaceWidth()); }
void TCanvas2D::SetAxisYMargin(int margin) { SetMarginIfAllowed(FAxisYMargin, margin, SurfaceHeight()); }

void TCanvas2D::SetAxisXMarginAuto(bool automatic) { StoreAndDraw(FAxisXMarginAuto, automatic); }
void TCanvas2D::SetAxisYMarginAuto(bool automatic) { StoreAndDraw(FAxisYMarginAuto, automatic); }
void TCanvas2D::SetAxisXMarks(int marks) { StoreAndDraw(FAxisXMarks, marks); }
void TCanvas2D::SetAxisYMarks(int marks) { StoreAndDraw(FAxisYMarks, marks); }
void TCanvas2D::SetAxisXMax(double value) { StoreAndDraw(FAxisXMax, value); }
void TCanvas2D::SetAxisXMin(double value) { StoreAndDraw(FAxisXMin, value); }
void TCanvas2D::SetAxisYMax(double value) { StoreAndDraw(FAxisYMax, value); }
void TCanvas2D::SetAxisYMin(double value) { StoreAndDraw(FAxisYMin, value); }
void TCanvas2D::SetColorExt(TColor color) { StoreAndDraw(FColorExt, color); }
void TCanvas2D::SetColorInt(TColor color) { StoreAndDraw(FColorInt, color); }

void TCanvas2D::SetFormat(const std::string& format) {
  if (!StoreChanged(FFormat, format)) return;
  const auto alive = Lifetime();
  Draw();
  if (!alive.expired() && OnChangeFormat) {
    const TNotifyEvent handler = OnChangeFormat;
    handler(this);
  }
}

void TCanvas2D::SetZoomFactor(double factor) {
  if (factor > 0 && factor < 1) FZoomFactor = factor;
}

void TCanvas2D::SetZoomSteps(int steps) {
  if (steps > 0) FZoomSteps = steps;
}

// --- Layout ---

int TCanvas2D::SurfaceWidth() const { return FImage->Width(); }
int TCanvas2D::SurfaceHeight() const { return FImage->Height(); }

void TCanvas2D::ImageResize() {
  const int bevels = 2 * BevelWidth();
  FImage->SetBounds(bevels, bevels, Width() - 2 * bevels, Height() - 2 * bevels);
  FImage->Resize();
}

int TCanvas2D::ClientWidthGet() const { return SurfaceWidth() - 2 * MarginX(); }
int TCanvas2D::ClientHeightGet() const { return SurfaceHeight() - 2 * MarginY(); }

TRect TCanvas2D::DrawRectGet() const {
  const int w = SurfaceWidth(), h = SurfaceHeight();
  if (!FAxisShow) return {0, 0, w - 1, h - 1};
  return {FAxisXMargin + 1, FAxisYMargin + 1, w - FAxisXMargin - 1, h - FAxisYMargin - 1};
}

bool TCanvas2D::Inside(int X, int Y) const {
  const int w = SurfaceWidth(), h = SurfaceHeight();
  if (!FAxisShow) return X >= 0 && X <= w && Y >= 0 && Y <= h;
  return X > FAxisXMargin && X < w - FAxisXMargin && Y > FAxisYMargin && Y < h - FAxisYMargin;
}

// --- World and pixels ---

bool TCanvas2D::XMapped() const { return SpanMaps(FAxisXMin, FAxisXMax); }
bool TCanvas2D::YMapped() const { return SpanMaps(FAxisYMin, FAxisYMax); }

bool TCanvas2D::Drawable() const { return XMapped() && YMapped() && ClientWidthGet() > 0 && ClientHeightGet() > 0; }

double TCanvas2D::ValToScrXD(double X) const {
  const long double offset = XMapped() ? Scaled(X, FAxisXMin, FAxisXMax, ClientWidthGet()) : 0;
  return static_cast<double>(MarginX() + offset);
}

double TCanvas2D::ValToScrYD(double Y) const {
  const long double offset = YMapped() ? Scaled(Y, FAxisYMin, FAxisYMax, ClientHeightGet()) : 0;
  return static_cast<double>(SurfaceHeight() - MarginY() - offset);
}

int TCanvas2D::ValToScrX(double X) const {
  if (!XMapped()) return MarginX();
  const auto offset = static_cast<double>(Scaled(X, FAxisXMin, FAxisXMax, ClientWidthGet()));
  return SaturateToInt(static_cast<long long>(MarginX()) + RoundToInt(offset));
}

int TCanvas2D::ValToScrY(double Y) const {
  const int bottom = SurfaceHeight() - MarginY();
  if (!YMapped()) return bottom;
  const auto offset = static_cast<double>(Scaled(Y, FAxisYMin, FAxisYMax, ClientHeightGet()));
  return SaturateToInt(static_cast<long long>(bottom) - RoundToInt(offset));
}

double TCanvas2D::ScrToValX(int X) const {
  const int wp = ClientWidthGet();
  if (!XMapped() || wp <= 0) return FAxisXMin;
  return static_cast<double>(FAxisXMin + static_cast<long double>(X - MarginX()) / wp *
                                             (static_cast<long double>(FAxisXMax) - FAxisXMin));
}

double TCanvas2D::ScrToValY(int Y) const {
  const int hp = ClientHeightGet();
  if (!YMapped() || hp <= 0) return FAxisYMin;
  const long double up = static_cast<long double>(SurfaceHeight()) - Y - MarginY();
  return static_cast<double>(FAxisYMin + up / hp * (static_cast<long double>(FAxisYMax) - FAxisYMin));
}

std::string TCanvas2D::ScrToValXS(int X) const { return Label(ScrToValX(X)); }
std::string TCanvas2D::ScrToValYS(int Y) const { return Label(ScrToValY(Y)); }

bool TCanvas2D::PointCheckIn(double X, double Y) const {
  return X >= FAxisXMin && X <= FAxisXMax && Y >= FAxisYMin && Y <= FAxisYMax;
}

// --- Drawing primitives ---

void TCanvas2D::Line(double X1, double Y1, double X2, double Y2) {
  if (!Finite({X1, Y1, X2, Y2})) return;
  if ((X1 < FAxisXMin && X2 < FAxisXMin) || (X1 > FAxisXMax && X2 > FAxisXMax) || (Y1 < FAxisYMin && Y2 < FAxisYMin) ||
      (Y1 > FAxisYMax && Y2 > FAxisYMax) || !Drawable())
    return;
  const int x1 = ValToScrX(X1), y1 = ValToScrY(Y1), x2 = ValToScrX(X2), y2 = ValToScrY(Y2);
  if (!LineInRange(x1, y1, x2, y2)) {
    FOverflow = true;
    return;
  }
  TCanvas& canvas = Canvas();
  canvas.MoveTo(x1, y1);
  canvas.LineTo(x2, y2);
}

void TCanvas2D::Point(double X, double Y, int Size) {
  if (!PointCheckIn(X, Y) || !Drawable()) return;
  const int px = ValToScrX(X), py = ValToScrY(Y);
  TCanvas& canvas = Canvas();
  if (Size <= 0) {
    canvas.SetPixel(px, py, canvas.Pen.Color);
    return;
  }
  // The disc's box must be as safe as a line: each corner and its extent.
  const int left = SaturateToInt(0LL + px - Size), top = SaturateToInt(0LL + py - Size);
  const int right = SaturateToInt(0LL + px + Size + 1), bottom = SaturateToInt(0LL + py + Size + 1);
  if (!LineInRange(left, top, right, bottom)) {
    FOverflow = true;
    return;
  }
  canvas.Ellipse(left, top, right, bottom);
}

void TCanvas2D::Triangle(double X1, double Y1, double X2, double Y2, double X3, double Y3) {
  if (!Finite({X1, Y1, X2, Y2, X3, Y3}) || !Drawable()) return;
  if (!FillTriangle(*FImage, Canvas(), ValToScrX(X1), ValToScrY(Y1), ValToScrX(X2), ValToScrY(Y2), ValToScrX(X3),
                    ValToScrY(Y3)))
    FOverflow = true;
}

void TCanvas2D::TextOutA(double X, double Y, int DX, int DY, const std::string& Text) {
  if (!PointCheckIn(X, Y) || !Drawable()) return;
  const int x = SaturateToInt(0LL + ValToScrX(X) + DX), y = SaturateToInt(0LL + ValToScrY(Y) + DY);
  if (!LineInRange(x, y, x, y)) {
    FOverflow = true;
    return;
  }
  TCanvas& canvas = Canvas();
  canvas.BkMode = TBkMode::Transparent;
  canvas.TextOut(x, y, Text);
}
