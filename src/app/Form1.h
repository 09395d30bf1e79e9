#pragma once
#include <cstdint>

#include "framework/ui/core/Form.h"

class TAppEvents;
class TQuenbrel;
class TTimer;
class TVekImage;

// The full-screen saver: one image surface over the whole screen that its engine animates,
// closed by the first key, click, sixth mouse move or loss of activation.
class TForm1 : public TForm {
 public:
  explicit TForm1(TComponent* owner);
  ~TForm1() override;

  TVekImage* Image1 = nullptr;
  TAppEvents* AppEvents1 = nullptr;
  TTimer* Timer1 = nullptr;

  TQuenbrel* Engine = nullptr;

  void FormCreate(TComponent* Sender);
  void FormShow(TComponent* Sender);
  void FormResize(TComponent* Sender);
  void Timer1Timer(TComponent* Sender);
  void FormKeyDown(TComponent* Sender, unsigned& Key, TShiftState Shift);
  void Image1MouseDown(TComponent* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void Image1MouseMove(TComponent* Sender, TShiftState Shift, int X, int Y);
  void AppEvents1Deactivate(TComponent* Sender);
  void FormDestroy(TComponent* Sender);

 private:
  // The form description: Form1Description.cpp.
  void CreateControls();
};

extern TForm1* Form1;
// Mouse-move notifications over the saver since the process started.
extern std::int32_t MouseMoves;
