#include "Form1.h"

#include "EngineFactory.h"
#include "engine/Quenbrel.h"
#include "framework/ui/core/Application.h"

TForm1* Form1 = nullptr;
std::int32_t MouseMoves = 0;

TForm1::TForm1(TComponent* owner) : TForm(owner) { CreateControls(); }

TForm1::~TForm1() {
  if (Form1 == this) Form1 = nullptr;
}

void TForm1::FormCreate(TComponent*) {
  System().SetScreenSaverRunning(Handle(), true);
  Engine = NewEngine();
  Engine->Target = Image1;
  Engine->LoadSettings();
}

void TForm1::FormShow(TComponent*) {
  System().HideTaskbarWindow();
  Engine->Resize();
  Engine->NextFrame();
}

void TForm1::FormResize(TComponent*) { Engine->Resize(); }

void TForm1::Timer1Timer(TComponent*) { Engine->NextFrame(); }

void TForm1::FormKeyDown(TComponent*, unsigned&, TShiftState) { Close(); }

void TForm1::Image1MouseDown(TComponent*, TMouseButton, TShiftState, int, int) { Close(); }

void TForm1::Image1MouseMove(TComponent*, TShiftState, int, int) {
  // The window system reports a move when the window appears under the pointer, and a
  // nudged desk reports a few more: five are tolerated.
  ++MouseMoves;
  if (MouseMoves > 5) Close();
}

void TForm1::AppEvents1Deactivate(TComponent*) { Close(); }

void TForm1::FormDestroy(TComponent*) {
  delete Engine;
  Engine = nullptr;
  // No window is made just to say this: without one the display may not even be open.
  System().SetScreenSaverRunning(HandleAllocated() ? Handle() : 0, false);
}
