#pragma once
#include <string>
#include <vector>

#include "components/Canvas2D.h"
#include "components/VekImage.h"
#include "framework/graphics/Canvas.h"
#include "support/FormFixture.h"

// A plot on a shown form at (10, 10), with the user's hands. Sizes are the surface's: the
// panel is 8 pixels larger, for its two bevels of 2 on each side.
class TPlotFixture : public TFormFixture {
 protected:
  static constexpr int kLeft = 10, kTop = 10, kBevels = 4;
  TCanvas2D* Plot = nullptr;

  void SetUp() override {
    TFormFixture::SetUp();
    Form->SetBounds(0, 0, 640, 480);
    Plot = new TCanvas2D(Form);
    Plot->SetParent(Form);
    Plot->SetLeft(kLeft);
    Plot->SetTop(kTop);
  }
  // A surface of the size, margins set by hand.
  void Size(int width, int height, int marginX, int marginY) {
    Plot->SetAxisXMarginAuto(false);
    Plot->SetAxisYMarginAuto(false);
    Plot->SetBounds(kLeft, kTop, width + 2 * kBevels, height + 2 * kBevels);
    Plot->SetAxisXMargin(marginX);
    Plot->SetAxisYMargin(marginY);
  }
  TBitmap& Surface() { return Plot->Image().Picture().Bitmap(); }
  TColor At(int x, int y) { return PixelToColor(Surface().PixelAt(x, y)); }
  // The surface's pixels, to compare a picture before and after.
  std::vector<TPixel> Pixels() {
    std::vector<TPixel> pixels;
    for (int y = 0; y < Surface().Height(); ++y)
      for (int x = 0; x < Surface().Width(); ++x) pixels.push_back(Surface().PixelAt(x, y));
    return pixels;
  }
  std::vector<double> Range() const { return {Plot->AxisXMin(), Plot->AxisYMin(), Plot->AxisXMax(), Plot->AxisYMax()}; }

  // The pointer on the surface, in surface coordinates.
  int FormX(int x) const { return kLeft + kBevels + x; }
  int FormY(int y) const { return kTop + kBevels + y; }
  void MoveOn(int x, int y) { MoveTo(FormX(x), FormY(y)); }
  void PressOn(int x, int y, TMouseButton button = TMouseButton::mbLeft) {
    Send(Button(TEventKind::MouseDown, x, y, button));
  }
  void ReleaseOn(int x, int y, TMouseButton button = TMouseButton::mbLeft) {
    Send(Button(TEventKind::MouseUp, x, y, button));
  }
  void ClickOn(int x, int y, TMouseButton button = TMouseButton::mbLeft) {
    PressOn(x, y, button);
    ReleaseOn(x, y, button);
  }
  void TurnWheelOn(int x, int y, int notches) { Send(Headless::Wheel(notches, FormX(x), FormY(y), Form->Handle())); }
  TWsEvent Button(TEventKind kind, int x, int y, TMouseButton button) const {
    TWsEvent event = Headless::Mouse(kind, FormX(x), FormY(y), Form->Handle());
    event.Button = button;
    return event;
  }
};
