#pragma once
#include "framework/ui/core/Form.h"

class TBitBtn;
class TColorButton;
class TPanel;
class TQuenbrel;
class TStaticText;

// The settings dialog: the effect's two colours on two colour buttons, stored on OK. While
// it is open the window that was in the foreground at its start (the host's settings
// panel) is disabled where the window system can do so, and it is activated again at the end.
class TForm3 : public TForm {
 public:
  explicit TForm3(TComponent* owner);
  ~TForm3() override;

  TPanel* Panel1 = nullptr;
  TStaticText* StaticText3 = nullptr;
  TColorButton* ColorButton1 = nullptr;
  TColorButton* ColorButton2 = nullptr;
  TBitBtn* BitBtn1 = nullptr;
  TBitBtn* BitBtn2 = nullptr;
  TBitBtn* BitBtn3 = nullptr;

  // Used only for the colours and their settings file: it never draws.
  TQuenbrel* Engine = nullptr;
  TWindowHandle PrevWnd = 0;

  void FormCreate(TComponent* Sender);
  void FormShow(TComponent* Sender);
  void BitBtn1Click(TComponent* Sender);
  void BitBtn2Click(TComponent* Sender);
  void BitBtn3Click(TComponent* Sender);
  void FormDestroy(TComponent* Sender);

 private:
  // The form description: Form3Description.cpp.
  void CreateControls();
  void ShowEngineColours();
};

extern TForm3* Form3;
