#pragma once
#include <string>
#include <vector>

#include "framework/ui/core/Form.h"

#include "framework/ui/core/Application.h"

// Makes the application show the failures it catches in the standard error box.
void ShowExceptionsInMessageBoxes(TApplication& application);

// The standard error box: a grey dialog with a red error icon, the message's text and one OK
// button. A long text wraps, and the box takes at most three quarters of the screen's width
// and height. Enter, Escape, a click on OK and the close box end it.
class TMessageBox : public TForm {
 public:
  TMessageBox(TComponent* owner, const std::string& caption, const std::string& text);

  const std::string& Text() const { return FText; }
  // The text as the box shows it, wrapped and cut to fit on the screen.
  const std::vector<std::string>& Lines() const { return FLines; }
  TRect ButtonRect() const;

  void Paint(TCanvas& canvas) override;
  void KeyDown(unsigned& key, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

 private:
  void FitToText();
  void PaintIcon(TCanvas& canvas) const;
  void PaintButton(TCanvas& canvas);

  std::string FText;
  std::vector<std::string> FLines;
  bool FButtonDown = false;
};
