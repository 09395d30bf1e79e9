#pragma once
#include <gtest/gtest.h>

#include "gallery/GalleryForm.h"
#include "support/HeadlessApp.h"

// The gallery's window shown on the in-memory window system, and the user's hands.
class TGalleryFixture : public ::testing::Test {
 protected:
  using Headless = THeadlessWindowSystem;

  THeadlessApp H;

  void SetUp() override {
    H.App.CreateForm(GalleryForm);
    GalleryForm->Show();
    H.App.ProcessMessages();
  }
  TWindowHandle Window() { return GalleryForm->Handle(); }
  void Send(TWsEvent event) {
    H.System->Push(event);
    H.App.ProcessMessages();
  }
  void Mouse(TEventKind kind, TPoint at, TMouseButton button = TMouseButton::mbLeft) {
    TWsEvent event = Headless::Mouse(kind, at.X, at.Y, Window());
    event.Button = button;
    Send(event);
  }
  void ClickAt(TPoint at, TMouseButton button = TMouseButton::mbLeft) {
    Mouse(TEventKind::MouseDown, at, button);
    Mouse(TEventKind::MouseUp, at, button);
  }
  void Type(unsigned key, TShiftState shift = 0) { Send(Headless::Key(key, shift, Window())); }
  // The middle of a control, in the window's coordinates.
  static TPoint MiddleOf(const TControl& control) {
    const TPoint offset = control.WindowOffset();
    return {offset.X + control.Width() / 2, offset.Y + control.Height() / 2};
  }
  void ShowPage(const std::string& title) {
    ASSERT_TRUE(GalleryForm->ShowPage(title));
    H.App.ProcessMessages();
  }
};
