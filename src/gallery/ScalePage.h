#pragma once
#include <vector>

#include "GalleryPage.h"

class TColorButton;
class TEscala;
class TScrollBar;
class TSpeedButton;

// The colour scale, upright with a marker and across: its colours, steps, labels and marker.
class TScalePage : public TGalleryPage {
 public:
  explicit TScalePage(TComponent* owner);

  TEscala* Scale1 = nullptr;
  TEscala* Scale2 = nullptr;
  TColorButton* ColorButton1 = nullptr;
  TColorButton* ColorButton2 = nullptr;
  std::vector<TSpeedButton*> ColouringButtons;
  TScrollBar* StepsBar = nullptr;
  TScrollBar* LabelsBar = nullptr;
  TScrollBar* MarkerBar = nullptr;

  void PageShown() override;
  void ArrangeShowcase(const TRect& room) override;
  // Any property changed: both scales take the properties' values.
  void PropertyChange(TComponent* Sender);

 private:
  // The form description: ScalePageDescription.cpp.
  void CreateControls();
};
