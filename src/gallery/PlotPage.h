#pragma once
#include <vector>

#include "GalleryPage.h"

class TCanvas2D;
class TColorButton;
class TScrollBar;
class TSpeedButton;
class TStaticText;

// The plot canvas: a curve in world coordinates, zoomed in on a click or a box, out around
// a point, panned by dragging and brought home, the world point under the pointer told.
class TPlotPage : public TGalleryPage {
 public:
  explicit TPlotPage(TComponent* owner);

  TCanvas2D* Plot1 = nullptr;
  TStaticText* PointText = nullptr;
  std::vector<TSpeedButton*> ModeButtons;
  TSpeedButton* HomeButton = nullptr;
  TColorButton* CurveButton = nullptr;
  TColorButton* InsideButton = nullptr;
  TScrollBar* MarksBar = nullptr;

  void PageShown() override;
  void Plot1Draw(TComponent* Sender);
  void Plot1MouseMove(TComponent* Sender, TShiftState Shift, int X, int Y);
  void ModeButtonClick(TComponent* Sender);
  void HomeButtonClick(TComponent* Sender);
  void PropertyChange(TComponent* Sender);

 private:
  // The form description: PlotPageDescription.cpp.
  void CreateControls();
};
