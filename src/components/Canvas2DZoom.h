#pragma once
#include <functional>
#include <memory>
#include <optional>

#include "Canvas2DMapping.h"
#include "framework/platform/Input.h"

class TCanvas;
class TPlotPrimitives;
class TVekImage;

// The slots of the application's cursor table that the plot's modes show.
constexpr TCursor crPanning = 1, crZoomMore = 2, crZoomLess = 3;

// What a left click on the plot does.
constexpr int zmNone = 0, zmZoomMore = 1, zmZoomLess = -1, zmPan = 2;

// A plot's zoom and pan: animated changes of its range, the modes in which a click zooms in
// on a box, out around a point or drags the picture, their rubber bands, and the wheel.
class TPlotZoom {
 public:
  // At most one animation frame per this many milliseconds.
  static constexpr int FrameIntervalMs = 20;

  // `redraw` repaints the whole plot; `alive` expires with the plot, which may go while an
  // animation runs the message loop or the owner's drawing.
  TPlotZoom(TPlotMapping& mapping, const TPlotPrimitives& primitives, TVekImage& surface, std::function<void()> redraw,
            std::weak_ptr<int> alive);

  // Of the range that fills the plot after a zoom in: inside (0, 1).
  double Factor = 0.5;
  // The frames of each animation: at least 1.
  int Steps = 5;

  // Animated change to a range, refused with the default beep when a span lies outside
  // 1e-20 ... 1e20.
  void AxisChange(TPlotRange to, int steps);
  // The animation from one range to another in `steps` frames, the last exactly `to`. A
  // frame that overflows the safe pixels, but for the last, takes the range back to `from`
  // and ends the animation.
  void AxisChange(TPlotRange from, TPlotRange to, int steps);
  int Mode() const { return FMode; }
  void ModeSet(int mode);
  // Leaves any mode and any animation, and shows `home` at once.
  void Home(TPlotRange home);
  void ZoomMore();
  void ZoomLess(int X, int Y);
  void Pan();
  void ZoomDraw();
  void ZoomDraw(int X, int Y);
  void PanDraw();
  void PanDraw(int X, int Y);
  // After a full redraw: the zoom box again over the fresh picture.
  void Redrawn();
  bool Busy() const { return FBusy; }
  bool Panning() const { return FPanning; }

  // The surface's input. MouseDown is false for a press that is no request at all (a left
  // press while the range moves), which the owner does not hear of either.
  bool MouseDown(TMouseButton button, int X, int Y);
  void MouseMove(int X, int Y);
  void MouseUp(TMouseButton button);
  void Wheel(int notches, TPoint at);

 private:
  // Where the last wheel turn zoomed: the pixel, its world point and the range it left.
  struct TWheelAnchor {
    TPoint At;
    double X, Y;
    TPlotRange Left;
  };
  TCanvas& Canvas() const;
  // Runs the animation to `to` and then, unless someone chose a mode meanwhile, returns to `mode`.
  void AxisChangeIn(int mode, TPlotRange to);

  TPlotMapping& FMapping;
  const TPlotPrimitives& FPrimitives;
  TVekImage& FSurface;
  std::function<void()> FRedraw;
  std::weak_ptr<int> FAlive;

  bool FBusy = false;
  bool FStop = false;
  int FMode = zmNone;
  // Counts the mode's settings, so that a zoom or pan restores its mode after its animation
  // only when nobody chose one (or home) meanwhile.
  int FModeSettings = 0;
  TPoint FZoomCenter;
  TPoint FPanStart;
  TPoint FPanEnd;
  bool FPanning = false;
  std::optional<TWheelAnchor> FWheelAnchor;
};
