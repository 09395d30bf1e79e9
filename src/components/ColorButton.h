#pragma once
#include "framework/ui/controls/CustomPanel.h"

class TColorDialog;
class TSpeedButton;

// A small bevelled panel showing one colour; a click on it opens the colour chooser with
// that colour preset, and a different choice becomes the panel's colour.
class TColorButton : public TCustomPanel {
 public:
  explicit TColorButton(TComponent* owner);

  // The help topic a form description may give the button; 0 is none. Nothing here opens help.
  int HelpContext = 0;

  // Raised after the user picked a colour other than the one shown; setting Color by
  // program raises nothing.
  TNotifyEvent OnChange;
  // Raised first on every resize of the panel, before the flat button follows.
  TNotifyEvent OnPanelResize;

  // The click handler of the flat button: lets the user choose a colour.
  void ButtonClick(TComponent* Sender);
  // Keeps the flat button 2 pixels inside the panel, where the bevels show.
  void ButtonResize();
  void PanelResize(TComponent* Sender);

  TSpeedButton& Button() const { return *FButton; }

 private:
  TColorDialog* FDialog = nullptr;
  TSpeedButton* FButton = nullptr;
};
