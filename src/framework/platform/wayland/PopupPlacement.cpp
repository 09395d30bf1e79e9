#include "PopupPlacement.h"

#include <algorithm>

// The protocol wants the anchor within the window below, and a size of at least a pixel.
TPopupPlacement PlacePopup(TPoint at, TSize size, TPoint clientOrigin, TSize surface) {
  const int x = std::clamp(at.X + clientOrigin.X, 0, std::max(surface.cx - 1, 0));
  const int y = std::clamp(at.Y + clientOrigin.Y, 0, std::max(surface.cy - 1, 0));
  return {Bounds(x, y, 1, 1), {std::max(size.cx, 1), std::max(size.cy, 1)}};
}
