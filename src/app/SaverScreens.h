#pragma once
#include <map>

#include "framework/base/Component.h"
#include "framework/platform/WindowSystem.h"

class TForm1;

// The saver on every screen. Where the window system has several (the monitors of a Wayland
// desktop), each shows a saver form of its own, at its own size; a screen that appears while
// the saver runs gets one, a screen that goes away loses its. The main form covers the first
// screen. Any saver form closing ends the program, as the main form's closing does.
// The effect's motion moves on with every frame drawn. Each screen's form draws at its own
// display's pace (Wayland holds a form's ticks until its last frame was shown) and moves a
// motion of its own, the first screen's being the process's: each screen moves as if alone.
class TSaverScreens : public TComponent {
 public:
  // `main` already covers the first screen.
  TSaverScreens(TComponent* owner, TForm1* main);
  ~TSaverScreens() override;

 private:
  void Follow();
  void Cover(TScreenId screen);
  void Pace();

  std::map<TScreenId, TForm1*> FForms;
  int FListener = 0;
};
