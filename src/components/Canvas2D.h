#pragma once
#include <memory>
#include <optional>
#include <string>

#include "framework/base/StoreChanged.h"
#include "framework/graphics/Font.h"
#include "framework/ui/controls/CustomPanel.h"

class TCanvas;
class TVekImage;

// The slots of the application's cursor table that the plot's modes show.
constexpr TCursor crPanning = 1, crZoomMore = 2, crZoomLess = 3;

// What a left click on the plot does.
constexpr int zmNone = 0, zmZoomMore = 1, zmZoomLess = -1, zmPan = 2;

// A plot in world coordinates on a bevelled panel: on every redraw its surface is cleared,
// the plot area framed, both axes marked and labelled, and then OnDraw draws the content
// with Line, Point, Triangle and TextOutA. The user zooms in on a box, out around a point,
// pans by dragging and turns the wheel; every change of range is animated.
//
// A range whose span is not a positive finite number, or a plot area without pixels, maps
// nothing: primitives are skipped, pixels convert to the axis minimum.
class TCanvas2D : public TCustomPanel {
 public:
  // At most one animation frame per this many milliseconds.
  static constexpr int FrameIntervalMs = 20;

  explicit TCanvas2D(TComponent* owner);
  ~TCanvas2D() override;

  // --- Properties: a setter stores a changed value and redraws ---
  TColor AxisColor() const { return FAxisFont.Color; }
  void SetAxisColor(TColor color);
  const TFont& AxisFont() const { return FAxisFont; }
  // Takes every attribute of `font`, its colour as AxisColor, and redraws.
  void SetAxisFont(const TFont& font);
  bool AxisShow() const { return FAxisShow; }
  void SetAxisShow(bool show);
  int AxisXMargin() const { return FAxisXMargin; }
  // Refuses negative margins and those of half the surface less 20 or more; redraws anyway.
  void SetAxisXMargin(int margin);
  bool AxisXMarginAuto() const { return FAxisXMarginAuto; }
  void SetAxisXMarginAuto(bool automatic);
  int AxisXMarks() const { return FAxisXMarks; }
  void SetAxisXMarks(int marks);
  double AxisXMax() const { return FAxisXMax; }
  void SetAxisXMax(double value);
  double AxisXMin() const { return FAxisXMin; }
  void SetAxisXMin(double value);
  int AxisYMargin() const { return FAxisYMargin; }
  void SetAxisYMargin(int margin);
  bool AxisYMarginAuto() const { return FAxisYMarginAuto; }
  void SetAxisYMarginAuto(bool automatic);
  int AxisYMarks() const { return FAxisYMarks; }
  void SetAxisYMarks(int marks);
  double AxisYMax() const { return FAxisYMax; }
  void SetAxisYMax(double value);
  double AxisYMin() const { return FAxisYMin; }
  void SetAxisYMin(double value);
  TColor ColorExt() const { return FColorExt; }
  void SetColorExt(TColor color);
  TColor ColorInt() const { return FColorInt; }
  void SetColorInt(TColor color);
  // The number picture of every label.
  const std::string& Format() const { return FFormat; }
  void SetFormat(const std::string& format);
  // Accepted only inside (0, 1); no redraw.
  double ZoomFactor() const { return FZoomFactor; }
  void SetZoomFactor(double factor);
  // Accepted only from 1; no redraw.
  int ZoomSteps() const { return FZoomSteps; }
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
  int ClientWidthGet() const;
  int ClientHeightGet() const;
  // The plot area's inner pixels, corners inclusive (Right and Bottom are inside too).
  TRect DrawRectGet() const;
  bool Inside(int X, int Y) const;

  // --- World and pixels ---
  int ValToScrX(double X) const;
  int ValToScrY(double Y) const;
  double ValToScrXD(double X) const;
  double ValToScrYD(double Y) const;
  double ScrToValX(int X) const;
  double ScrToValY(int Y) const;
  std::string ScrToValXS(int X) const;
  std::string ScrToValYS(int Y) const;
  bool PointCheckIn(double X, double Y) const;

  // --- Drawing, in world coordinates (from OnDraw) ---
  void Line(double X1, double Y1, double X2, double Y2);
  // A disc of diameter 2 Size + 1 with the pen and brush, or one pixel when Size <= 0.
  void Point(double X, double Y, int Size);
  void Triangle(double X1, double Y1, double X2, double Y2, double X3, double Y3);
  // Text at the point, moved by (DX, DY) pixels.
  void TextOutA(double X, double Y, int DX, int DY, const std::string& Text);
  // Whether a primitive since the last redraw was left out because its pixels were unsafe.
  bool Overflow() const { return FOverflow; }

  // --- Redraw and axes ---
  void Draw();
  void Clear();
  void AxisDraw();
  void MarkXDraw(double X);
  void MarkYDraw(double Y);
  void MarkYDrawText(int X, int Y, double Value, const std::string& Text);
  void DrawRegionSet();
  void AxisXMarginAdjust();
  void AxisYMarginAdjust();
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
  int ZoomMode() const { return FZoomMode; }
  void ZoomModeSet(int Mode);
  void ZoomAll();
  void ZoomMore();
  void ZoomLess(int X, int Y);
  void Pan();
  void ZoomDraw();
  void ZoomDraw(int X, int Y);
  void PanDraw();
  void PanDraw(int X, int Y);
  // True while an animation runs.
  bool Busy() const { return FBusy; }
  bool Panning() const { return FPanning; }

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
  struct TRange {
    double XMin, YMin, XMax, YMax;
    friend bool operator==(const TRange&, const TRange&) = default;
  };
  // Where the last wheel turn zoomed: the pixel, its world point and the range it left.
  struct TWheelAnchor {
    TPoint At;
    double X, Y;
    TRange Left;
  };
  // Shows the hourglass on the surface while it lives, then the cursor from before (unless
  // someone set another meanwhile, or the canvas is gone).
  class THourglass {
   public:
    explicit THourglass(TCanvas2D& canvas);
    ~THourglass();
    THourglass(const THourglass&) = delete;
    THourglass& operator=(const THourglass&) = delete;

   private:
    TCanvas2D& FCanvas;
    std::weak_ptr<int> FAlive;
    TCursor FSaved;
  };

  // Expires when the canvas is destroyed: code that ran the message loop or an owner's
  // handler checks it before touching the canvas again.
  std::weak_ptr<int> Lifetime() const { return FLifetime; }
  int SurfaceWidth() const;
  int SurfaceHeight() const;
  // The margins as the formulas count them: 0 without axes.
  int MarginX() const { return FAxisShow ? FAxisXMargin : 0; }
  int MarginY() const { return FAxisShow ? FAxisYMargin : 0; }
  bool XMapped() const;
  bool YMapped() const;
  // Both axes map and the plot area has pixels.
  bool Drawable() const;
  std::string Label(double value) const;
  // A setter's step: stores a changed value and redraws.
  template <class T>
  void StoreAndDraw(T& field, const T& value) {
    if (StoreChanged(field, value)) Draw();
  }
  // Sets the canvas up for a mark: its pen colour, the axis font, a transparent background.
  TCanvas& MarkCanvas();
  void SetMarginIfAllowed(int& margin, int value, int surfaceExtent);
  // Draws the intermediate marks of one axis: `marks` of them, at most one per pixel.
  void MarksDraw(int marks, int pixels, bool x);
  void SetDrawingAttributes();
  TRange Range() const { return {FAxisXMin, FAxisYMin, FAxisXMax, FAxisYMax}; }
  void SetRange(const TRange& range);
  void WheelZoom(int notches, TPoint at);

  TVekImage* FImage;
  // Its colour is the axes' colour: lines, marks and labels.
  TFont FAxisFont;
  bool FAxisShow = true;
  int FAxisXMargin = 50;
  bool FAxisXMarginAuto = true;
  int FAxisXMarks = 9;
  double FAxisXMax = 10;
  double FAxisXMin = 0;
  int FAxisYMargin = 30;
  bool FAxisYMarginAuto = true;
  int FAxisYMarks = 9;
  double FAxisYMax = 10;
  double FAxisYMin = 0;
  TColor FColorExt = clBlack;
  TColor FColorInt = clNavy;
  std::string FFormat = ",0.00";
  double FZoomFactor = 0.5;
  int FZoomSteps = 5;

  bool FBusy = false;
  bool FStop = false;
  bool FOverflow = false;
  int FZoomMode = zmNone;
  // Counts the mode's settings, so that a zoom or pan restores its mode after its animation
  // only when nobody chose one (or home) meanwhile.
  int FModeSettings = 0;
  TPoint FZoomCenter;
  TPoint FPanStart;
  TPoint FPanEnd;
  bool FPanning = false;
  std::optional<TWheelAnchor> FWheelAnchor;
  std::shared_ptr<int> FLifetime = std::make_shared<int>(0);
};
