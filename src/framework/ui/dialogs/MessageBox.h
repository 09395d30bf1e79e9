#pragma once
#include <string>

#include "framework/ui/core/Form.h"

#include "framework/ui/core/Application.h"

// Makes the application show the failures it catches in the standard error box.
void ShowExceptionsInMessageBoxes(TApplication& application);

// The standard error box: a grey dialog with a red error icon, one line of text per line of
// the message and one OK button. Enter, Escape, a click on OK and the close box end it.
class TMessageBox : public TForm {
 public:
  TMessageBox(TComponent* owner, const std::string& caption, const std::string& text);

  const std::string& Text() const { return FText; }
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
  bool FButtonDown = false;
};
