#include "WaylandWindowFrames.h"

#include "WaylandApi.h"
#include "WaylandWindowTable.h"

bool TWaylandWindowFrames::InClient(const TWaylandWindow& window, TPoint at) {
  return !window.Caption || window.Caption->PartAt(at, SurfaceSize(window)) == TCaptionBar::TPart::Client;
}

void TWaylandWindowFrames::Press(TWaylandWindow& window, TPoint at, bool left, wl_seat* seat, std::uint32_t serial) {
  FHeld = true;
  if (left && window.Caption->Press(at, SurfaceSize(window)) == TCaptionBar::TPart::Caption)
    xdg_toplevel_move(window.Toplevel, seat, serial);
  window.FrameStale = true;
}

void TWaylandWindowFrames::Drag(TWaylandWindow& window, TPoint at) {
  if (window.Caption->Drag(at, SurfaceSize(window))) window.FrameStale = true;
}

void TWaylandWindowFrames::Release(TWaylandWindow& window, TPoint at) {
  window.FrameStale = true;
  if (!window.Caption->Release(at, SurfaceSize(window))) return;
  TWsEvent close;
  close.Kind = TEventKind::CloseRequest;
  close.Window = window.Handle;
  FQueue.push_back(close);
}

void TWaylandWindowFrames::PointerLeft(TWaylandWindow& window) {
  if (!window.Caption || !FHeld) return;
  window.Caption->Release({-1, -1}, SurfaceSize(window));
  window.FrameStale = true;
  FHeld = false;
}

void TWaylandWindowFrames::Paint(TWaylandWindow& window,
                                 const std::function<void(const TBitmap&, const TRect&)>& copy) {
  const TSize surface = SurfaceSize(window);
  TBitmap picture(surface.cx, surface.cy);
  window.Caption->Paint(picture.Canvas(), surface);
  const TRect& frame = window.Frame;
  const TRect edges[] = {{0, 0, surface.cx, frame.Top},
                         {0, surface.cy - frame.Bottom, surface.cx, surface.cy},
                         {0, frame.Top, frame.Left, surface.cy - frame.Bottom},
                         {surface.cx - frame.Right, frame.Top, surface.cx, surface.cy - frame.Bottom}};
  for (const TRect& edge : edges) copy(picture, edge);
  window.FrameStale = false;
}
