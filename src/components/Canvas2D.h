#pragma once
#include <memory>
#include <string>

#include "Canvas2DAxes.h"
#include "Canvas2DMapping.h"
#include "Canvas2DPrimitives.h"
#include "Canvas2DZoom.h"
#include "framework/ui/controls/CustomPanel.h"

class TCanvas;
class TVekImage;

// A plot in world coordinates on a bevelled panel: on every redraw its surface is cleared,
// the plot area framed, both axes marked and labelled, and then OnDraw draws the content
// with Line, Point, Triangle and TextOutA. The user zooms in on a box, out around a point,
// pans by dragging and turns the wheel; every change of range is animated.
//
// A minimum above its maximum mirrors the axis. A range whose span is zero or not finite, or
// a plot area without pixels, maps nothing: primitives are skipped, pixels convert to the
// axis minimum.
class TCanvas2D : public TCustomPanel {
 public:
  // At most one animation frame per this many milliseconds.
  static constexpr int FrameIntervalMs = TPlotZoom::FrameIntervalMs;

  explicit TCanvas2D(TComponent* owner);
  ~TCanvas2D() override;

  // --- Properties: a setter stores a changed value and redraws ---
  TColor AxisColor() const { return FAxes.Font.Color; }
  void SetAxisColor(TColor color);
  const TFont& AxisFont() const { return FAxes.Font; }
  // Takes every attribute of `font`, its colour as AxisColor, and redraws.
  void SetAxisFont(const TFont& font);
  bool AxisShow() const { return FMapping.AxisShow; }
  void SetAxisShow(bool show);
  int AxisXMargin() const { return FMapping.AxisXMargin; }
  // Refuses margins of half the surface less 20 or more; redraws anyway.
  void SetAxisXMargin(int margin);
  bool AxisXMarginAuto() const { return FAxes.XMarginAuto; }
  void SetAxisXMarginAuto(bool automatic);
  int AxisXMarks() const { return FAxes.XMarks; }
  void SetAxisXMarks(int marks);
  double AxisXMax() const { return FMapping.Range.XMax; }
  void SetAxisXMax(double value);
  double AxisXMin() const { return FMapping.Range.XMin; }
  void SetAxisXMin(double value);
  int AxisYMargin() const { return FMapping.AxisYMargin; }
  void SetAxisYMargin(int margin);
  bool AxisYMarginAuto() const { return FAxes.YMarginAuto; }
  void SetAxisYMarginAuto(bool automatic);
  int AxisYMarks() const { return FAxes.YMarks; }
  void SetAxisYMarks(int marks);
  double AxisYMax() const { return FMapping.Range.YMax; }
  void SetAxisYMax(double value);
  double AxisYMin() const { return FMapping.Range.YMin; }
  void SetAxisYMin(double value);
  TColor ColorExt() const { return FAxes.ColorExt; }
  void SetColorExt(TColor color);
  TColor ColorInt() const { return FAxes.ColorInt; }
  void SetColorInt(TColor color);
  // The number picture of every label.
  const std::string& Format() const { return FAxes.Format; }
  void SetFormat(const std::string& format);
  // Accepted only inside (0, 1); no redraw.
  double ZoomFactor() const { return FZoom.Factor; }
  void SetZoomFactor(double factor);
  // Accepted only from 1; no redraw.
  int ZoomSteps() const { return FZoom.Steps; }
  void SetZoomSteps(int steps);
  // The home range that ZoomAll restores; the owner sets it.
  double ZoomAllXMax = 10;
  double ZoomAllXMin = 0;
  double ZoomAllYMax = 10;
  double ZoomAllYMin = 0;

  // Raised after Format changed and the plot was redrawn.
  TNotifyEvent OnChangeFormat;
  // Raised inside every Draw after the axes, to draw the content. OnDblClick, OnMouseDown,
  // OnMouseMove, OnMouseUp and OnMouseWheel come from the surface, in its coordinates, after
  // the plot's own handling (a wheel handler that sets `handled` keeps the plot from zooming).
  TNotifyEvent OnDraw;

  // The surface and its canvas, whose pen, brush and font OnDraw may set.
  TVekImage& Image() const { return *FImage; }
  TCanvas& Canvas() const;

  // --- Layout (surface pixels) ---
  // Places the surface inside the bevels and brings its bitmap to its size.
  void ImageResize();
  // The plot area's width and height.
  int ClientWidthGet() const { return FMapping.PlotWidth(); }
  int ClientHeightGet() const { return FMapping.PlotHeight(); }
  // The plot area's inner pixels, corners inclusive (Right and Bottom are inside too).
  TRect DrawRectGet() const { return FMapping.DrawRect(); }
  bool Inside(int X, int Y) const { return FMapping.Inside(X, Y); }

  // --- World and pixels ---
  int ValToScrX(double X) const { return FMapping.ValToScrX(X); }
  int ValToScrY(double Y) const { return FMapping.ValToScrY(Y); }
  double ValToScrXD(double X) const { return FMapping.ValToScrXD(X); }
  double ValToScrYD(double Y) const { return FMapping.ValToScrYD(Y); }
  double ScrToValX(int X) const { return FMapping.ScrToValX(X); }
  double ScrToValY(int Y) const { return FMapping.ScrToValY(Y); }
  std::string ScrToValXS(int X) const { return FAxes.Label(ScrToValX(X)); }
  std::string ScrToValYS(int Y) const { return FAxes.Label(ScrToValY(Y)); }
  bool PointCheckIn(double X, double Y) const { return FMapping.PointCheckIn(X, Y); }

  // --- Drawing, in world coordinates (from OnDraw) ---
  void Line(double X1, double Y1, double X2, double Y2) { FPrimitives.Line(X1, Y1, X2, Y2); }
  // A disc of diameter 2 Size + 1 with the pen and brush, or one pixel when Size <= 0.
  void Point(double X, double Y, int Size) { FPrimitives.Point(X, Y, Size); }
  void Triangle(double X1, double Y1, double X2, double Y2, double X3, double Y3) {
    FPrimitives.Triangle(X1, Y1, X2, Y2, X3, Y3);
  }
  // Text at the point, moved by (DX, DY) pixels.
  void TextOutA(double X, double Y, int DX, int DY, const std::string& Text) {
    FPrimitives.TextOutA(X, Y, DX, DY, Text);
  }
  // Whether a primitive since the last redraw was left out because its pixels were unsafe.
  bool Overflow() const { return FPrimitives.Overflow(); }

  // --- Redraw and axes ---
  void Draw();
  void Clear();
  void AxisDraw() { FAxes.Draw(); }
  void MarkXDraw(double X) { FAxes.MarkXDraw(X); }
  void MarkYDraw(double Y) { FAxes.MarkYDraw(Y); }
  void MarkYDrawText(int X, int Y, double Value, const std::string& Text) { FAxes.MarkYDrawText(X, Y, Value, Text); }
  void DrawRegionSet();
  void AxisXMarginAdjust() { FAxes.XMarginAdjust(); }
  void AxisYMarginAdjust() { FAxes.YMarginAdjust(); }
  // Make one world unit as long on both axes, then redraw.
  void AxisXAdjustToY();
  void AxisYAdjustToX();

  // --- Range changes, zoom and pan ---
  // Animated change to a range, refused with the default beep when a span lies outside
  // 1e-20 ... 1e20.
  void AxisChange(double XMin, double YMin, double XMax, double YMax, int Steps);
  // The animation from range 0 to range 1 in Steps frames, the last exactly range 1.
  void AxisChange(double XMin0, double YMin0, double XMax0, double YMax0, double XMin1, double YMin1, double XMax1,
                  double YMax1, int Steps);
  int ZoomMode() const { return FZoom.Mode(); }
  void ZoomModeSet(int Mode) { FZoom.ModeSet(Mode); }
  void ZoomAll();
  void ZoomMore() { FZoom.ZoomMore(); }
  void ZoomLess(int X, int Y) { FZoom.ZoomLess(X, Y); }
  void Pan() { FZoom.Pan(); }
  void ZoomDraw() { FZoom.ZoomDraw(); }
  void ZoomDraw(int X, int Y) { FZoom.ZoomDraw(X, Y); }
  void PanDraw() { FZoom.PanDraw(); }
  void PanDraw(int X, int Y) { FZoom.PanDraw(X, Y); }
  // True while an animation runs.
  bool Busy() const { return FZoom.Busy(); }
  bool Panning() const { return FZoom.Panning(); }

  // --- Handlers of the panel's and the surface's notifications ---
  void Canvas2DResize(TComponent* Sender);
  void Canvas2DDblClick(TComponent* Sender);
  void Canvas2DMouseDown(TComponent* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void Canvas2DMouseMove(TComponent* Sender, TShiftState Shift, int X, int Y);
  void Canvas2DMouseUp(TComponent* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void Canvas2DMouseWheel(TComponent* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled);

  // Input on the bevels is not the plot's.
  void MouseDown(TMouseButton, TShiftState, int, int) override {}
  void MouseUp(TMouseButton, TShiftState, int, int) override {}
  void MouseMove(TShiftState, int, int) override {}
  bool MouseWheel(TShiftState, int, int, int) override { return false; }

 private:
  // A setter's step: stores a changed value and redraws.
  template <class T>
  void StoreAndDraw(T& field, const T& value);
  void SetMarginIfAllowed(int& margin, int value, int surfaceExtent);

  // Expires when the canvas is destroyed: code that ran the message loop or an owner's
  // handler checks it before touching the canvas again.
  std::shared_ptr<int> FLifetime = std::make_shared<int>(0);
  TVekImage* FImage;
  TPlotMapping FMapping;
  TPlotAxes FAxes;
  TPlotPrimitives FPrimitives;
  TPlotZoom FZoom;
};
