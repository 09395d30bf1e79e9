#pragma once
#include "framework/ui/core/Form.h"

class TQuenbrel;
class TTimer;
class TVekImage;

// The live miniature inside the host's preview window, ended by a system command to it.
class TForm2 : public TForm {
 public:
  explicit TForm2(TComponent* owner);
  ~TForm2() override;

  TVekImage* Image1 = nullptr;
  TTimer* Timer1 = nullptr;

  TQuenbrel* Engine = nullptr;

  void FormCreate(TComponent* Sender);
  void PreviewWndProc(const TWsEvent& Message);
  void FormShow(TComponent* Sender);
  void FormResize(TComponent* Sender);
  void Timer1Timer(TComponent* Sender);
  void FormDestroy(TComponent* Sender);

 private:
  // The form description: Form2Description.cpp.
  void CreateControls();
  void AttachToHost();
  // The window to draw into, as the classic host or a hack convention names it (HostRequest.h).
  TWindowHandle HostWindow();
  // Ends the program without showing the preview anywhere.
  void GiveUp();
};

extern TForm2* Form2;
