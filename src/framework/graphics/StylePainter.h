#pragma once
#include <cstdint>
#include <span>
#include <string>

#include "Color.h"
#include "framework/base/Types.h"

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
  Single,         // a plain dark line
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
  // The area that the style's rings leave inside `bounds`; kept for the bevelled components
  // to come, which lay out their contents inside a frame.
  static TRect InnerRect(const TRect& bounds, TFrameStyle style);
  // Draws the rings inside `bounds` and returns the inner rectangle.
  static TRect DrawFrame(TCanvas& canvas, const TRect& bounds, TFrameStyle style);
  static void DrawRing(TCanvas& canvas, const TRect& bounds, const TEdgeRing& ring);
  // `bounds` moved in by `by` pixels on every side.
  static TRect Inset(const TRect& bounds, int by);
  // The dotted rectangle that marks the focused control.
  static void DrawFocusRect(TCanvas& canvas, const TRect& bounds);
  // A control's caption at `at` in the canvas's font, without background: in the font's
  // colour when enabled, else engraved (a highlight under a shadow-coloured text).
  static void DrawCaption(TCanvas& canvas, TPoint at, const std::string& caption, bool enabled);
};
