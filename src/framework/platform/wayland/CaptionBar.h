#pragma once
#include <cstdint>
#include <string>

#include "framework/base/Types.h"
#include "framework/graphics/Canvas.h"

// The classic frame that a window draws around itself where the compositor draws none: a
// raised border and a caption bar with the title and, for a window with a window menu, a
// close box. The caption moves the window; a click on the close box (pressed and released
// over it) closes it. It knows nothing of the compositor: the backend asks it where the
// pointer is and what a press and a release do, and has it paint a picture of the frame.
class TCaptionBar {
 public:
  static constexpr int Border = 3;
  static constexpr int CaptionHeight = 18;
  // The widths of the frame around the client area: left, top, right and bottom.
  static constexpr TRect Insets() { return {Border, Border + CaptionHeight + 1, Border, Border}; }

  enum class TPart : std::uint8_t { Client, Caption, CloseBox, Border };

  std::string Title;
  bool Active = false;
  bool HasCloseBox = true;

  // What the point is on, in a framed window of `surface` size.
  TPart PartAt(TPoint at, TSize surface) const;
  static TRect CaptionRect(TSize surface);
  static TRect CloseBoxRect(TSize surface);

  // The left button went down at `at`: on the caption, the window is to move.
  TPart Press(TPoint at, TSize surface);
  // The pointer moved with the button down; true when the close box changed its look.
  bool Drag(TPoint at, TSize surface);
  // The button came up; true when the window is to close.
  bool Release(TPoint at, TSize surface);
  bool ClosePressed() const { return FCloseArmed && FOverClose; }

  // Paints the frame of a window of `surface` size; the client area is left as it was.
  void Paint(TCanvas& canvas, TSize surface) const;

 private:
  void PaintCloseBox(TCanvas& canvas, const TRect& box) const;

  bool FCloseArmed = false;  // the button went down on the close box
  bool FOverClose = false;
};
