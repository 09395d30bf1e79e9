#pragma once
#include <cstdint>
#include <string>

#include "EscalaModel.h"
#include "EscalaPainter.h"
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
  // Pixels; a negative value paints as 0, one above MaxAutoSize is refused.
  int BandWidth() const { return FPainter.BandWidth; }
  void SetBandWidth(int width);
  // The number picture of the labels.
  const std::string& Format() const { return FPainter.Format; }
  void SetFormat(const std::string& picture);
  TColor GradColor1() const { return FModel.GradColor1; }
  void SetGradColor1(TColor c);
  TColor GradColor2() const { return FModel.GradColor2; }
  void SetGradColor2(TColor c);
  // The quantisation step, 0 for none; accepted while 0 <= v < Maximum - Minimum, and reset
  // to 0 when the range narrows below it.
  double Interval() const { return FModel.Interval(); }
  void SetInterval(double v);
  // Pixels; a negative value paints as 0, one above MaxAutoSize is refused.
  int Margin() const { return FPainter.Margin; }
  void SetMargin(int margin);
  // The ends of the range; values that are not finite are refused. A range that is not
  // positive paints nothing until it is again.
  double Maximum() const { return FModel.Maximum(); }
  void SetMaximum(double v);
  double Minimum() const { return FModel.Minimum(); }
  void SetMinimum(double v);
  void SetMaxMin(double max, double min);
  // Labels between the two end labels; a negative value hides all labels.
  int TextInterval() const { return FPainter.TextInterval; }
  void SetTextInterval(int count);
  TEscalaAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TEscalaAlignment alignment);
  TEscalaGraduation Graduation() const { return FModel.Graduation; }
  void SetGraduation(TEscalaGraduation graduation);
  TEscalaOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TEscalaOrientation orientation);
  // The side of the band the labels go on.
  TEscalaPosition Position() const { return FPainter.Position; }
  void SetPosition(TEscalaPosition position);
  // The background and the label font; both repaint the scale.
  void SetColor(TColor c);
  void SetFont(const TFont& font);

  // The colour the band shows for v.
  TColor ValueToColor(double v) const { return FModel.ValueToColor(v); }
  // Paints the whole scale.
  void Draw();
  // The surface takes its size, then the scale is painted.
  void EscalaResize(TComponent* Sender);
  // The band and its labels, on the surface as it is.
  void PaintHorizontal();
  void PaintVertical();
  // On a vertical scale: erases the marker, then draws it at v when v lies in the range.
  void DrawMarkVertical(double v);

 protected:
  void SurfaceResized() override;

 private:
  // A setter's step: stores a changed value and repaints.
  template <class T, class U>
  void StoreAndDraw(T& field, const U& value);
  void PlaceInParent();
  void ApplyAutoSize(const TEscalaPainter::TLabelSize& labels);

  TEscalaModel FModel;
  TEscalaPainter FPainter;
  bool FAutoSize = true;
  TEscalaAlignment FAlignment = TEscalaAlignment::eaNone;
  TEscalaOrientation FOrientation = TEscalaOrientation::eoVertical;
  // Set while painting (or constructing), so that a resize made by AutoSize repaints nothing
  // twice.
  bool FDrawing = false;
};
