#pragma once
#include "framework/base/Types.h"
#include "framework/graphics/Canvas.h"

// Where a popup goes, in the terms of an xdg_positioner: its top-left corner on a point of the
// window it is shown over (the anchor, a rectangle of one pixel there), the rest left to the
// compositor, which flips or slides the popup where the output ends. A window knows nothing
// of where it is on the screen, so a point that the program reckons on the screen is one of
// the window's own client area.
struct TPopupPlacement {
  TRect Anchor;  // in the surface of the window below, within it
  TSize Size;    // never empty
};

// `at`: in the client area of the window below, which lies at `clientOrigin` in a surface of
// `surface` size.
TPopupPlacement PlacePopup(TPoint at, TSize size, TPoint clientOrigin, TSize surface);
