#include "WaylandWindowFrames.h"

#include <cmath>

#include "WaylandApi.h"
#include "WaylandWindowTable.h"
#include "framework/graphics/DeviceScale.h"

namespace {

// The caption bar is laid out in logical pixels; the pointer comes in the surface's device pixels.
TSize LogicalSurface(const TWaylandWindow& window) {
  const TSize surface = SurfaceSize(window);
  const double scale = window.View.FormScale;
  return {static_cast<int>(std::lround(surface.cx / scale)), static_cast<int>(std::lround(surface.cy / scale))};
}
TPoint LogicalPoint(const TWaylandWindow& window, TPoint at) {
  const double scale = window.View.FormScale;
  return {static_cast<int>(std::floor(at.X / scale)), static_cast<int>(std::floor(at.Y / scale))};
}
int AtScale(int logical, double scale) { return static_cast<int>(std::lround(logical * scale)); }

}  // namespace

bool TWaylandWindowFrames::Update(TWaylandWindow& window) {
  TWaylandWindowFrame& frame = window.Frame;
  const bool own = window.Role.Toplevel && !window.Params.FullScreen && !window.Role.ServerFrame;
  const bool changed = own != frame.Caption.has_value();
  if (changed && own) {
    frame.Caption.emplace();
    frame.Caption->Title = window.Params.Caption;
    frame.Caption->HasCloseBox = window.Params.SystemMenu;
  } else if (changed) {
    frame.Caption.reset();
  }
  // At the window's scale, as its client area: at a whole one the surface stays a whole number of
  // logical pixels, a fractional one is shown through the viewport over its logical size.
  frame.LogicalInsets = own ? TCaptionBar::Insets() : TRect{};
  const TRect& insets = frame.LogicalInsets;
  const double scale = window.View.FormScale;
  frame.Insets = {AtScale(insets.Left, scale), AtScale(insets.Top, scale), AtScale(insets.Right, scale),
                  AtScale(insets.Bottom, scale)};
  if (frame.Caption) frame.Caption->Active = window.Role.Active;
  frame.Stale = own;
  return changed;
}

void TWaylandWindowFrames::SetTitle(TWaylandWindow& window, const char* title) {
  if (!window.Frame.Caption) return;
  window.Frame.Caption->Title = title;
  window.Frame.Stale = true;
}

bool TWaylandWindowFrames::InClient(const TWaylandWindow& window, TPoint at) {
  return !window.Frame.Caption ||
         window.Frame.Caption->PartAt(LogicalPoint(window, at), LogicalSurface(window)) == TCaptionBar::TPart::Client;
}

TCursor TWaylandWindowFrames::Cursor(const TWaylandWindow& window) const {
  return FInClient ? window.Cursor : crDefault;
}

// A frame that holds the pointer takes everything until the buttons are up. A press in the
// client area keeps the pointer the client's until it is up.
bool TWaylandWindowFrames::Takes(TWaylandWindow& window, const TPointerInput& input) {
  if (!window.Frame.Caption) return false;
  if (FHeld) {
    if (input.Kind == TEventKind::MouseMove) Drag(window, input.At);
    if (input.Kind == TEventKind::MouseUp && input.Left) Release(window, input.At);
    return true;
  }
  if (input.ButtonsDown) return false;
  const bool inClient = InClient(window, input.At);
  if (inClient != FInClient) {
    FInClient = inClient;
    if (!inClient) Post(TEventKind::MouseLeave, window.Handle);
    FCursorChanged(window);
  }
  if (inClient || input.Kind != TEventKind::MouseDown) return !inClient;
  Press(window, input);
  return true;
}

// The left button on the caption moves the window from the press on.
void TWaylandWindowFrames::Press(TWaylandWindow& window, const TPointerInput& input) {
  FHeld = true;
  if (input.Left && window.Frame.Caption->Press(LogicalPoint(window, input.At), LogicalSurface(window)) ==
                        TCaptionBar::TPart::Caption)
    xdg_toplevel_move(window.Role.Toplevel, input.Seat, input.Serial);
  window.Frame.Stale = true;
}

void TWaylandWindowFrames::Drag(TWaylandWindow& window, TPoint at) {
  if (window.Frame.Caption->Drag(LogicalPoint(window, at), LogicalSurface(window))) window.Frame.Stale = true;
}

void TWaylandWindowFrames::Release(TWaylandWindow& window, TPoint at) {
  window.Frame.Stale = true;
  if (window.Frame.Caption->Release(LogicalPoint(window, at), LogicalSurface(window)))
    Post(TEventKind::CloseRequest, window.Handle);
}

void TWaylandWindowFrames::Post(TEventKind kind, TWindowHandle window) {
  TWsEvent event;
  event.Kind = kind;
  event.Window = window;
  FQueue.push_back(event);
}

// Off a frame, the client heard of the leaving when the pointer went onto it.
void TWaylandWindowFrames::PointerLeft(TWaylandWindow& window, bool clientHears) {
  if (clientHears && FInClient) Post(TEventKind::MouseLeave, window.Handle);
  if (!window.Frame.Caption || !FHeld) return;
  window.Frame.Caption->Release({-1, -1}, LogicalSurface(window));
  window.Frame.Stale = true;
  FHeld = false;
}

void TWaylandWindowFrames::Paint(TWaylandWindow& window,
                                 const std::function<void(const TBitmap&, const TRect&)>& copy) {
  const TSize surface = SurfaceSize(window);
  TBitmap picture(surface.cx, surface.cy);
  picture.Canvas().SetScale(TDeviceScale(window.View.FormScale));
  window.Frame.Caption->Paint(picture.Canvas(), LogicalSurface(window));
  const TRect& frame = window.Frame.Insets;
  const TRect edges[] = {{0, 0, surface.cx, frame.Top},
                         {0, surface.cy - frame.Bottom, surface.cx, surface.cy},
                         {0, frame.Top, frame.Left, surface.cy - frame.Bottom},
                         {surface.cx - frame.Right, frame.Top, surface.cx, surface.cy - frame.Bottom}};
  for (const TRect& edge : edges) copy(picture, edge);
  window.Frame.Stale = false;
}
