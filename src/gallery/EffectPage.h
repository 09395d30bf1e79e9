#pragma once
#include <vector>

#include "GalleryPage.h"

class TColorButton;
class TQuenbrel;
class TScrollBar;
class TSpeedButton;
class TTimer;
class TVekImage;

// The saver's effect, animated in a panel while the page shows, its colours and pace
// changed as it runs. It neither reads nor writes the saver's settings file.
class TEffectPage : public TGalleryPage {
 public:
  explicit TEffectPage(TComponent* owner);
  ~TEffectPage() override;

  TPanel* Frame1 = nullptr;
  TVekImage* Image1 = nullptr;
  TTimer* Timer1 = nullptr;
  TColorButton* ColorButton1 = nullptr;
  TColorButton* ColorButton2 = nullptr;
  TScrollBar* IntervalBar = nullptr;
  std::vector<TSpeedButton*> RunButtons;

  TQuenbrel* Engine = nullptr;

  void PageShown() override;
  void PageHidden() override;
  void Frame1Resize(TComponent* Sender);
  void Timer1Timer(TComponent* Sender);
  void ColorChange(TComponent* Sender);
  void IntervalBarChange(TComponent* Sender);
  void RunButtonClick(TComponent* Sender);

  bool Running() const;

 private:
  // The form description: EffectPageDescription.cpp.
  void CreateControls();
};
