#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "framework/ui/core/Application.h"
#include "framework/ui/core/Form.h"

// Makes the application show the failures it catches in the standard error box.
void ShowExceptionsInMessageBoxes(TApplication& application);

// What a message box says by its icon: a red error disc, or a yellow warning triangle.
enum class TMsgDlgType : std::uint8_t { mtError, mtWarning };
// Its buttons, each ending the box with its own result: mrOk, mrYes, mrNo.
enum class TMsgDlgBtn : std::uint8_t { mbOK, mbYes, mbNo };

// A grey dialog with an icon, a text and a row of buttons; the standard error box is one
// with the error icon and OK alone. A long text wraps, and the box takes at most three
// quarters of the screen's width and height. One button has the keyboard: Enter and Space
// press it, the arrows and Tab move to another; among several, a button's initial (Y, N)
// presses it. Escape ends the box as its last button does, the close box with mrCancel.
class TMessageBox : public TForm {
 public:
  TMessageBox(TComponent* owner, const std::string& caption, const std::string& text,
              TMsgDlgType type = TMsgDlgType::mtError, std::vector<TMsgDlgBtn> buttons = {TMsgDlgBtn::mbOK},
              TMsgDlgBtn focused = TMsgDlgBtn::mbOK);

  const std::string& Text() const { return FText; }
  // The text as the box shows it, wrapped and cut to fit on the screen.
  const std::vector<std::string>& Lines() const { return FLines; }
  const std::vector<TMsgDlgBtn>& Buttons() const { return FButtons; }
  TRect ButtonRect(int index = 0) const;
  // The button that Enter presses.
  int FocusedButton() const { return FFocused; }

  void Paint(TCanvas& canvas) override;
  void KeyDown(unsigned& key, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

 private:
  void FitToText();
  void PaintIcon(TCanvas& canvas) const;
  void PaintButton(TCanvas& canvas, int index);
  int ButtonCount() const { return static_cast<int>(FButtons.size()); }
  int ButtonAt(int x, int y) const;
  void Press(int index);
  void Focus(int index);

  std::string FText;
  TMsgDlgType FType;
  std::vector<TMsgDlgBtn> FButtons;
  std::vector<std::string> FLines;
  int FFocused = 0;
  int FButtonDown = -1;
};

// Shows a message box modally over the application's windows and returns the result of the
// button that ended it.
TModalResult MessageDlg(const std::string& caption, const std::string& text, TMsgDlgType type,
                        std::vector<TMsgDlgBtn> buttons, TMsgDlgBtn focused);
