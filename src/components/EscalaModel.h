#pragma once
#include <cstdint>

#include "framework/graphics/Color.h"

enum class TEscalaGraduation : std::uint8_t { egTwo, egThree };

// The values of a colour scale and their colours: the range from Minimum to Maximum, the
// quantisation step Interval (never wider than the range) and the colouring. The setters tell
// whether they changed anything.
class TEscalaModel {
 public:
  // A blend of two colours, or the fixed blue-green-red ramp.
  TEscalaGraduation Graduation = TEscalaGraduation::egTwo;
  // The colours at Maximum and at Minimum of a blend.
  TColor GradColor1 = clWhite;
  TColor GradColor2 = clBlack;

  double Maximum() const { return FMaximum; }
  double Minimum() const { return FMinimum; }
  double Interval() const { return FInterval; }
  // Values that are not finite are refused; the other end is not looked at.
  bool SetMaximum(double v);
  bool SetMinimum(double v);
  // Both ends, only as a range that is positive.
  bool SetMaxMin(double max, double min);
  // Accepted while 0 <= v < Maximum - Minimum.
  bool SetInterval(double v);
  // Whether the range is positive, so that there is something to paint.
  bool Valid() const { return FMaximum > FMinimum; }

  // The colour index of v: 0 at Minimum to 510 at Maximum, below 0 after quantisation.
  int ColorIndex(double v) const;
  TColor ValueToColor(double v) const;

 private:
  // A range narrowed below Interval leaves no room for its steps.
  void RangeChanged();

  double FMaximum = 100;
  double FMinimum = 0;
  double FInterval = 0;
};
