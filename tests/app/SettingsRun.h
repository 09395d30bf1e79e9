#pragma once
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "QuenbrelRun.h"
#include "app/Form3.h"
#include "components/ColorButton.h"
#include "framework/ui/controls/SpeedButton.h"
#include "framework/ui/core/Application.h"
#include "framework/ui/dialogs/ColorChooser.h"

// The settings dialog on a screen that holds it, with the user's hands: clicks in the
// middle of a control, and clicks on the colour chooser's swatches.
class SettingsRun : public QuenbrelRun {
 protected:
  SettingsRun() { System = std::make_shared<Headless>(TSize{640, 480}); }

  // A click as the window system reports it, in the middle of a shown control.
  void ClickOn(TControl& control) {
    auto* form = dynamic_cast<TForm*>(control.WindowParent());
    ASSERT_NE(form, nullptr);
    const TPoint at = control.WindowOffset();
    const int x = at.X + control.Width() / 2, y = at.Y + control.Height() / 2;
    System->Push(Headless::Mouse(TEventKind::MouseDown, x, y, form->Handle()));
    System->Push(Headless::Mouse(TEventKind::MouseUp, x, y, form->Handle()));
  }
  void Press(unsigned key) { System->Push(Headless::Key(key, 0, Form3->Handle())); }

  // The colour chooser open now, or null.
  static TColorChooser* Chooser() {
    for (TForm* form : Application->Forms())
      if (auto* chooser = dynamic_cast<TColorChooser*>(form)) return chooser;
    return nullptr;
  }
  void ClickSwatch(TColorChooser& chooser, int index) {
    const TRect swatch = chooser.BasicSwatchRect(index);
    const int x = (swatch.Left + swatch.Right) / 2, y = (swatch.Top + swatch.Bottom) / 2;
    System->Push(Headless::Mouse(TEventKind::MouseDown, x, y, chooser.Handle()));
    System->Push(Headless::Mouse(TEventKind::MouseUp, x, y, chooser.Handle()));
  }
  // Opens the chooser of `button` at `time`, picks the basic colour `swatch` and confirms.
  void PickColourAt(std::int64_t time, TColorButton* TForm3::*button, int swatch) {
    System->At(time, [=, this] { ClickOn((Form3->*button)->Button()); });
    System->At(time + 10, [=, this] {
      TColorChooser* chooser = Chooser();
      ASSERT_NE(chooser, nullptr);
      ClickSwatch(*chooser, swatch);
      ClickOn(chooser->OkButton());
    });
  }

  std::string SettingsFile() const { return Settings.File("zzQuenbrel.ini"); }
  std::vector<std::uint8_t> FileBytes() const {
    std::ifstream file(SettingsFile(), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }
  void WriteFile(const std::vector<std::uint8_t>& bytes) const {
    std::ofstream(SettingsFile(), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
};
