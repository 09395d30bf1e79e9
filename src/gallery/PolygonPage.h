#pragma once
#include <vector>

#include "GalleryPage.h"

class TColorButton;
class TPoly;
class TScrollBar;
class TSpeedButton;
class TStaticText;
class TTimer;

// The polygon, with its outline measured: its perimeter in words, and a marker that walks
// the outline while the page shows.
class TPolygonPage : public TGalleryPage {
 public:
  explicit TPolygonPage(TComponent* owner);

  TPoly* Poly1 = nullptr;
  TStaticText* PerimeterText = nullptr;
  TTimer* Timer1 = nullptr;
  TColorButton* BackButton = nullptr;
  TColorButton* BrushButton = nullptr;
  TColorButton* PenButton = nullptr;
  TScrollBar* CountBar = nullptr;
  TScrollBar* RotationBar = nullptr;
  TScrollBar* PenWidthBar = nullptr;
  std::vector<TSpeedButton*> WalkButtons;

  // How far round the outline the marker is, 0 ... 1.
  double Walked() const { return FWalked; }

  void PageShown() override;
  void PageHidden() override;
  void ArrangeShowcase(const TRect& room) override;
  void PropertyChange(TComponent* Sender);
  void Poly1BeforeDraw(TComponent* Sender, int xc, int yc, double r);
  void Timer1Timer(TComponent* Sender);

 private:
  // The form description: PolygonPageDescription.cpp.
  void CreateControls();

  double FWalked = 0;
};
