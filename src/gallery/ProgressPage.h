#pragma once
#include <vector>

#include "GalleryPage.h"

class TColorButton;
class TScrollBar;
class TSpeedButton;
class TTimer;
class TVekProgress;

// The gradient progress bar in both modes: two bars that show Position (across and upright)
// and one in timer mode whose peak sweeps back and forth while the page shows.
class TProgressPage : public TGalleryPage {
 public:
  explicit TProgressPage(TComponent* owner);

  TVekProgress* Bar1 = nullptr;
  TVekProgress* Bar2 = nullptr;
  TVekProgress* TimerBar = nullptr;
  TTimer* Timer1 = nullptr;
  TColorButton* ColorButton1 = nullptr;
  TColorButton* ColorButton2 = nullptr;
  TColorButton* BackButton = nullptr;
  TScrollBar* PositionBar = nullptr;
  TScrollBar* StepBar = nullptr;
  std::vector<TSpeedButton*> ValueButtons;
  std::vector<TSpeedButton*> RunButtons;

  void PageShown() override;
  void PageHidden() override;
  void ArrangeShowcase(const TRect& room) override;
  // Any property changed: every bar takes the properties' values.
  void PropertyChange(TComponent* Sender);
  void Timer1Timer(TComponent* Sender);

 private:
  // The form description: ProgressPageDescription.cpp.
  void CreateControls();
};
