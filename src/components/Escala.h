#pragma once
#include <cstdint>
#include <string>

#include "PnlImg.h"

enum class TEscalaAlignment : std::uint8_t {
  eaNone,
  eaBottom,
  eaCentered,
  eaHCentered,
  eaLeft,
  eaRight,
  eaTop,
  eaVCentered
};
enum class TEscalaGraduation : std::uint8_t { egTwo, egThree };
enum class TEscalaOrientation : std::uint8_t { eoHorizontal, eoVertical };
enum class TEscalaPosition : std::uint8_t { epNormal, epInverse };

// A colour scale: a band whose colour runs from Minimum to Maximum, with evenly spaced value
// labels beside it and, on a vertical scale, a marker at a chosen value. The colouring is a
// blend of two colours or a fixed blue-green-red ramp, optionally in steps of Interval;
// ValueToColor gives an owner the same colours for its own drawing.
class TEscala : public TPnlImg {
 public:
  // AutoSize never makes the control larger than this on either side.
  static constexpr int MaxAutoSize = 16384;

  explicit TEscala(TComponent* owner);

  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool on);
  // Pixels; negative values are refused.
  int BandWidth() const { return FBandWidth; }
  void SetBandWidth(int width);
  // The number picture of the labels.
  const std::string& Format() const { return FFormat; }
  void SetFormat(const std::string& picture);
  TColor GradColor1() const { return FGradColor1; }
  void SetGradColor1(TColor c);
  TColor GradColor2() const { return FGradColor2; }
  void SetGradColor2(TColor c);
  // The quantisation step, 0 for none; accepted while 0 <= v < Maximum - Minimum.
  double Interval() const { return FInterval; }
  void SetInterval(double v);
  // Pixels; negative values are refused.
  int Margin() const { return FMargin; }
  void SetMargin(int margin);
  // The ends of the range; values that are not finite are refused. A range that is not
  // positive paints nothing until it is again.
  double Maximum() const { return FMaximum; }
  void SetMaximum(double v);
  double Minimum() const { return FMinimum; }
  void SetMinimum(double v);
  void SetMaxMin(double max, double min);
  // Labels between the two end labels; a negative value hides all labels.
  int TextInterval() const { return FTextInterval; }
  void SetTextInterval(int count);
  TEscalaAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TEscalaAlignment alignment);
  TEscalaGraduation Graduation() const { return FGraduation; }
  void SetGraduation(TEscalaGraduation graduation);
  TEscalaOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TEscalaOrientation orientation);
  // The side of the band the labels go on.
  TEscalaPosition Position() const { return FPosition; }
  void SetPosition(TEscalaPosition position);
  // The background and the label font; both repaint the scale.
  void SetColor(TColor c);
  void SetFont(const TFont& font);

  // The colour the band shows for v.
  TColor ValueToColor(double v) const;
  // Paints the whole scale.
  void Draw();
  // On a vertical scale: erases the marker, then draws it at v when v lies in the range.
  void DrawMarkVertical(double v);

 protected:
  void SurfaceResized() override;

 private:
  // The label widths and heights, the larger of the two end labels'.
  struct TLabelSize {
    int Width = 0;
    int Height = 0;
  };
  // The colour index of v: 0 at Minimum to 510 at Maximum, below 0 after quantisation.
  int ColorIndex(double v) const;
  std::string Label(double v) const;
  // The spaces between successive labels along a side of `extent` pixels.
  long long LabelGaps(int extent) const;
  TLabelSize MeasureLabels();
  void PlaceInParent();
  void ApplyAutoSize(const TLabelSize& labels);
  void RangeChanged();
  void PaintBandHorizontal(const TLabelSize& labels);
  void PaintTextHorizontal();
  void PaintBandVertical(const TLabelSize& labels);
  void PaintTextVertical(const TLabelSize& labels);

  bool FAutoSize = true;
  int FBandWidth = 30;
  std::string FFormat = ",0.000";
  TColor FGradColor1 = clWhite;
  TColor FGradColor2 = clBlack;
  double FInterval = 0;
  int FMargin = 5;
  double FMaximum = 100;
  double FMinimum = 0;
  int FTextInterval = 4;
  TEscalaAlignment FAlignment = TEscalaAlignment::eaNone;
  TEscalaGraduation FGraduation = TEscalaGraduation::egTwo;
  TEscalaOrientation FOrientation = TEscalaOrientation::eoVertical;
  TEscalaPosition FPosition = TEscalaPosition::epNormal;
  // Set while painting (or constructing), so that a resize made by AutoSize repaints nothing
  // twice.
  bool FDrawing = false;
};
