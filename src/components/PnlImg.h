#pragma once
#include "framework/ui/controls/CustomPanel.h"

class TPanel;
class TScrollBar;
class TVekImage;

// A bevelled panel framing one image surface that fills its interior, optionally with a
// vertical and a horizontal scroll bar along the right and bottom edges. The surface's mouse
// events and the bars' changes reach the panel's own events with the panel as sender. The
// gradient bar, the scale and the polygon derive from it and draw into the surface.
class TPnlImg : public TCustomPanel {
 public:
  static constexpr int BarThickness = 13;
  static constexpr int CornerWidth = 15;

  explicit TPnlImg(TComponent* owner);
  ~TPnlImg() override;

  // The help topic a form description may give the panel; 0 is none. Nothing here opens help.
  int HelpContext = 0;

  // Raised after the surface has taken a new size (and a component drawn on it has redrawn).
  // It hides the outer panel's own resize notification, which the image panel does not use.
  TNotifyEvent OnResize;
  TNotifyEvent OnScrollBarHChange;
  TNotifyEvent OnScrollBarVChange;

  bool ScrollBars() const { return FScrollBars; }
  void SetScrollBars(bool on);

  // The cursor shown over the surface.
  TCursor Cursor() const;
  void SetCursor(TCursor cursor) override;

  TVekImage& Image() const { return *FImage; }
  // The bars, or null while ScrollBars is off.
  TScrollBar* ScrollBarH() const { return FScrollBarH; }
  TScrollBar* ScrollBarV() const { return FScrollBarV; }

  // The inner panel's resize notification: the surface's bitmap follows the surface's size,
  // the component redraws, then OnResize is raised. A component whose every paint starts
  // with this step puts its paint in its place.
  virtual void PanelResize(TComponent* Sender);

 protected:
  // Called on every resize of the surface, before OnResize; a component drawn on the surface
  // redraws here, so that a user's OnResize cannot switch its drawing off.
  virtual void SurfaceResized() {}

 private:
  void ImageClick(TComponent* Sender);
  void ImageDblClick(TComponent* Sender);
  void ImageMouseDown(TComponent* Sender, TMouseButton button, TShiftState shift, int x, int y);
  void ImageMouseMove(TComponent* Sender, TShiftState shift, int x, int y);
  void ImageMouseUp(TComponent* Sender, TMouseButton button, TShiftState shift, int x, int y);
  void ScrollBarHChange(TComponent* Sender);
  void ScrollBarVChange(TComponent* Sender);
  void ScrollBarsCreate();
  void ScrollBarsDelete();

  bool FScrollBars = false;
  TVekImage* FImage = nullptr;
  TPanel* FPanel = nullptr;
  TPanel* FPanelBottom = nullptr;
  TPanel* FPanelRight = nullptr;
  TPanel* FPanelCorner = nullptr;
  TScrollBar* FScrollBarH = nullptr;
  TScrollBar* FScrollBarV = nullptr;
};
