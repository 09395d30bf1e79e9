#pragma once
#include <cstdint>
#include <string>

#include "EscalaModel.h"

class TCanvas;
class TVekImage;

enum class TEscalaOrientation : std::uint8_t { eoHorizontal, eoVertical };
enum class TEscalaPosition : std::uint8_t { epNormal, epInverse };

// Paints a colour scale onto its surface in the canvas's current font: the band, one pixel
// line a value, the evenly spaced labels beside it, and the marker of a vertical scale.
class TEscalaPainter {
 public:
  // The widths and heights of the labels, the larger of the two end labels'.
  struct TLabelSize {
    int Width = 0;
    int Height = 0;
  };

  TEscalaPainter(const TEscalaModel& model, TVekImage& surface) : FModel(model), FSurface(surface) {}

  // Thickness of the band, in pixels; a negative value paints as 0.
  int BandWidth = 30;
  // The number picture of the labels.
  std::string Format = ",0.000";
  // Inset of band and labels, in pixels; a negative value paints as 0.
  int Margin = 5;
  // Labels between the two end labels; a negative value hides all labels.
  int TextInterval = 4;
  // The side of the band the labels go on.
  TEscalaPosition Position = TEscalaPosition::epNormal;

  std::string Label(double v) const;
  TLabelSize MeasureLabels() const;
  // The control's height (horizontal) or width (vertical) that fits band and labels.
  long long FittedSize(TEscalaOrientation orientation, const TLabelSize& labels) const;
  // The band, then the labels.
  void PaintHorizontal();
  void PaintVertical();
  // Erases the marker strip in `background`, then draws the marker at v when v lies in the range.
  void DrawMarkVertical(double v, TColor background);

 private:
  TCanvas& Canvas() const;
  long long PaintedMargin() const;
  long long PaintedBandWidth() const;
  // The spaces between successive labels along a side of `extent` pixels.
  long long LabelGaps(int extent) const;
  double BandValue(long long step, long long n) const;
  void PaintBandHorizontal(const TLabelSize& labels);
  void PaintTextHorizontal();
  void PaintBandVertical(const TLabelSize& labels);
  void PaintTextVertical(const TLabelSize& labels);

  const TEscalaModel& FModel;
  TVekImage& FSurface;
};
