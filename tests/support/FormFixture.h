#pragma once
#include <gtest/gtest.h>

#include "framework/ui/core/Form.h"
#include "support/HeadlessApp.h"

// A main form on the in-memory window system, and the user's hands: a pointer and keys.
class TFormFixture : public ::testing::Test {
 protected:
  using Headless = THeadlessWindowSystem;

  THeadlessApp H;
  TForm* Form = nullptr;

  void SetUp() override {
    H.App.CreateForm(Form);
    Form->SetBounds(0, 0, 200, 120);
  }
  void ShowForm() {
    Form->Show();
    H.App.ProcessMessages();
  }
  // What the window shows at (x, y), as a pixel word.
  TPixel Shown(int x, int y) { return H.System->PixelAt(Form->Handle(), x, y); }
  void Send(const TWsEvent& event) {
    H.System->Push(event);
    H.App.ProcessMessages();
  }
  void MoveTo(int x, int y) { Send(Headless::Mouse(TEventKind::MouseMove, x, y, Form->Handle())); }
  void PressAt(int x, int y) { Send(Headless::Mouse(TEventKind::MouseDown, x, y, Form->Handle())); }
  void ReleaseAt(int x, int y) { Send(Headless::Mouse(TEventKind::MouseUp, x, y, Form->Handle())); }
  void ClickAt(int x, int y) {
    PressAt(x, y);
    ReleaseAt(x, y);
  }
  void Type(unsigned key, TShiftState shift = 0) { Send(Headless::Key(key, shift, Form->Handle())); }
  void PointerLeaves() { Send(Headless::Of(TEventKind::MouseLeave, Form->Handle())); }
};

// Pixel words of the classic scheme.
constexpr TPixel kFace = 0xC0C0C0, kHighlight = 0xFFFFFF, kShadow = 0x808080, kDarkShadow = 0x000000;
