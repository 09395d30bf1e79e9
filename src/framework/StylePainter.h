#pragma once
#include <cstdint>
#include <span>

#include "Color.h"
#include "Types.h"

class TCanvas;

// The classic bevels. Each style is a list of one-pixel rings, outermost first.
enum class TFrameStyle : std::uint8_t {
  Raised,         // a raised panel
  Sunken,         // a lowered panel
  ButtonUp,       // a push button at rest
  ButtonDown,     // a push button held down
  DefaultButton,  // the default button at rest: a dark frame around ButtonUp
  Field,          // a sunken field (an edit box, a swatch)
  Etched,         // a groove
};

// One ring: the top and left edges in one colour, the bottom and right edges in another
// (which also takes the top-right and bottom-left corners).
struct TEdgeRing {
  TColor TopLeft;
  TColor BottomRight;
};

// Draws every bevel of the framework from one table, so that all controls look alike.
class TStylePainter {
 public:
  static std::span<const TEdgeRing> Rings(TFrameStyle style);
  // The area that the style's rings leave inside `bounds`.
  static TRect InnerRect(const TRect& bounds, TFrameStyle style);
  // Draws the rings inside `bounds` and returns the inner rectangle.
  static TRect DrawFrame(TCanvas& canvas, const TRect& bounds, TFrameStyle style);
  static void DrawRing(TCanvas& canvas, const TRect& bounds, const TEdgeRing& ring);
};
