#pragma once
#include <string>

#include "Canvas2DMapping.h"
#include "framework/graphics/Font.h"

class TCanvas;
class TVekImage;

// Paints a plot's background and axes onto its surface: the margins, the plot area, the frame
// and the marks with their labels, and fits the margins to the labels.
class TPlotAxes {
 public:
  TPlotAxes(TPlotMapping& mapping, TVekImage& surface) : FMapping(mapping), FSurface(surface) {}

  // Its colour is the axes' colour: lines, marks and labels.
  TFont Font;
  bool XMarginAuto = true;
  bool YMarginAuto = true;
  // The marks between the two end marks of each axis.
  int XMarks = 9;
  int YMarks = 9;
  // The margins' colour and the plot area's.
  TColor ColorExt = clBlack;
  TColor ColorInt = clNavy;
  // The number picture of every label.
  std::string Format = ",0.00";

  std::string Label(double value) const;
  // Fits each margin that follows its labels.
  void MarginsAdjust();
  void XMarginAdjust();
  void YMarginAdjust();
  // The whole background: margins, plot area and axes, or only the plot area while the axes
  // are hidden. Leaves the canvas as the content's drawing starts with it.
  void Paint();
  void Draw();
  void MarkXDraw(double X);
  void MarkYDraw(double Y);
  void MarkYDrawText(int X, int Y, double Value, const std::string& Text);

 private:
  TCanvas& Canvas() const;
  // Sets the canvas up for a mark: its pen colour, the axis font, a transparent background.
  TCanvas& MarkCanvas();
  // Draws the intermediate marks of one axis: `marks` of them, at most one per pixel.
  void MarksDraw(int marks, int pixels, bool x);
  void SetDrawingAttributes(TColor pen);

  TPlotMapping& FMapping;
  TVekImage& FSurface;
};
