#pragma once
#include "framework/base/Types.h"

class TCanvas;

// The icons of the message boxes, each filling `icon` (32 x 32): a red disc with a white
// cross for an error, a yellow triangle with an exclamation mark for a warning.
void PaintErrorIcon(TCanvas& canvas, const TRect& icon);
void PaintWarningIcon(TCanvas& canvas, const TRect& icon);
