// What the window system tells a form: exposure, sizes, the frame, input and closing.
#include "Form.h"

#include <utility>

#include "framework/base/ScopeExit.h"

void TForm::DefaultWndProc(const TWsEvent& deviceEvent) {
  const TWsEvent event = InLogicalPixels(deviceEvent);
  switch (event.Kind) {
    case TEventKind::Expose: InvalidateWindowArea(event.Area); break;
    case TEventKind::Resized: Resized(event); break;
    case TEventKind::FrameExtents: FrameChanged(event.Area); break;
    case TEventKind::ScaleChanged: Rescaled(event.Scale); break;
    case TEventKind::ScreenResized:
      // A maximised window keeps covering the screen.
      if (WindowState == TWindowState::wsMaximized && !FParentWindow) SetBounds(0, 0, event.Width, event.Height);
      break;
    case TEventKind::KeyDown:
      if (Enabled()) FInput.KeyDown(event);
      break;
    case TEventKind::MouseDown:
    case TEventKind::MouseUp:
    case TEventKind::MouseMove:
      if (Enabled()) FInput.Mouse(event);
      break;
    case TEventKind::MouseWheel:
      if (Enabled()) FInput.Wheel(event);
      break;
    case TEventKind::MouseLeave: FInput.PointerLeft(); break;
    case TEventKind::CloseRequest:
      if (Enabled()) Close();
      break;
    case TEventKind::HostDestroyed:
      // The window went with its host: there is nothing left to destroy.
      ForgetHandle();
      Close();
      break;
    default: break;
  }
}

TWsEvent TForm::InLogicalPixels(const TWsEvent& event) const {
  if (FScale.IsIdentity()) return event;
  TWsEvent logical = event;
  const TPoint at = LogicalPoint({event.X, event.Y});
  logical.X = at.X;
  logical.Y = at.Y;
  logical.Width = FScale.LogicalLength(event.Width);
  logical.Height = FScale.LogicalLength(event.Height);
  if (event.Kind == TEventKind::FrameExtents)
    logical.Area = {FScale.LogicalLength(event.Area.Left), FScale.LogicalLength(event.Area.Top),
                    FScale.LogicalLength(event.Area.Right), FScale.LogicalLength(event.Area.Bottom)};
  else logical.Area = FScale.Logical(event.Area);
  return logical;
}

void TForm::Resized(const TWsEvent& event) {
  FResizedBySystem = true;
  TScopeExit done{[this] { FResizedBySystem = false; }};
  SetBounds(Left(), Top(), event.Width, event.Height);
}

// Same layout, more or fewer device pixels: the window takes its new device size and the
// whole form is painted again. A window that draws the device's own pixels stays at 1.
void TForm::Rescaled(double scale) {
  if (!FHandle || FParentWindow || CoversScreen() || scale == FScale.Factor()) return;
  FScale = TDeviceScale(scale);
  System().SetWindowBounds(FHandle, DeviceBounds());
  const TSize size = DeviceSize();
  FSurface.SetSizeBlank(size.cx, size.cy);
  FSurface.Canvas().SetScale(FScale);
  InvalidateWindowArea(ClientRect());
}

void TForm::FrameChanged(const TRect& extents) {
  FFrame = extents;
  // Once only: a later change of the frame must not undo where the user has moved the window.
  if (std::exchange(FCentreWithFrame, false)) Centre();
}
