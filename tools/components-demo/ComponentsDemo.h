#pragma once
#include "framework/ui/core/Form.h"

class TEscala;
class TPnlImg;
class TPoly;
class TTimer;
class TVekProgress;

// The image panel and the components drawn on it, side by side: a panel whose scroll bars
// move a picture, a polygon with a dot travelling along its outline, two colour scales and
// three progress bars, one of them running in timer mode.
class TComponentsDemo : public TForm {
 public:
  explicit TComponentsDemo(TComponent* owner);
  ~TComponentsDemo() override;

  TPnlImg* PnlImg1 = nullptr;
  TPoly* Poly1 = nullptr;
  TEscala* Escala1 = nullptr;
  TEscala* Escala2 = nullptr;
  TVekProgress* VekProgress1 = nullptr;
  TVekProgress* VekProgress2 = nullptr;
  TVekProgress* VekProgress3 = nullptr;
  TTimer* Timer1 = nullptr;

  // Ticks left before the animation stops, so that a picture of the form can be taken;
  // negative: it never stops.
  int StepsLeft = -1;
  // Where the dot on the polygon's outline is, as a fraction of the perimeter.
  double Travel = 0;

  void FormShow(TComponent* Sender);
  void PnlImg1Scroll(TComponent* Sender);
  void Poly1BeforeDraw(TComponent* Sender, int Xc, int Yc, double R);
  void Timer1Timer(TComponent* Sender);

 private:
  // The form description: ComponentsDemoDescription.cpp.
  void CreateControls();
};

extern TComponentsDemo* ComponentsDemo;
