#pragma once
// Where the settings dialog and the colour chooser have what a test clicks, in their client
// areas. Include it before the X11 headers: it makes a chooser on the headless backend.
#include "framework/ui/controls/BitBtn.h"
#include "framework/ui/dialogs/ColorChooser.h"
#include "support/HeadlessApp.h"

// The middles of the dialog's colour swatches and of its OK button.
constexpr TPoint kSwatch1{8 + 128 + 48, 8 + 14 + 12};
constexpr TPoint kSwatch2{8 + 232 + 48, 8 + 14 + 12};
constexpr TPoint kOkButton{8 + 44, 64 + 16};

inline TPoint Middle(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

// A basic swatch of the chooser and its OK button, from the chooser's own layout.
struct TChooserLayout {
  TPoint Swatch;
  TPoint Ok;
};
inline TChooserLayout ChooserLayout(int swatch) {
  THeadlessApp app;
  TColorChooser chooser(nullptr, clBlack);
  return {Middle(chooser.BasicSwatchRect(swatch)), Middle(chooser.OkButton().BoundsRect())};
}

// Pure red, the eighth basic colour: a frame's sums carry out of the red channel and off the
// screen, so that no pixel of the saver shows any green or blue.
constexpr int kRedSwatch = 8;
