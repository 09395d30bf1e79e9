#include "ComponentsDemo.h"

#include <cmath>

#include "components/Escala.h"
#include "components/PnlImg.h"
#include "components/Poly.h"
#include "components/VekImage.h"
#include "components/VekProgress.h"
#include "framework/graphics/Canvas.h"
#include "framework/ui/controls/ScrollBar.h"
#include "framework/ui/core/Timer.h"

TComponentsDemo* ComponentsDemo = nullptr;

namespace {

// Balls on a grid of this pitch, which the panel's bars move by two pixels a step.
constexpr int kPitch = 36;
constexpr int kBalls = 8;

}  // namespace

TComponentsDemo::TComponentsDemo(TComponent* owner) : TForm(owner) { CreateControls(); }

TComponentsDemo::~TComponentsDemo() {
  if (ComponentsDemo == this) ComponentsDemo = nullptr;
}

void TComponentsDemo::FormShow(TComponent*) {
  PnlImg1Scroll(this);
  Escala1->DrawMarkVertical(VekProgress2->Position());
}

void TComponentsDemo::PnlImg1Scroll(TComponent*) {
  TVekImage& image = PnlImg1->Image();
  image.Fill(clWhite);
  const int dx = PnlImg1->ScrollBarH() ? 2 * PnlImg1->ScrollBarH()->Position() : 0;
  const int dy = PnlImg1->ScrollBarV() ? 2 * PnlImg1->ScrollBarV()->Position() : 0;
  for (int row = 0; row < kBalls; ++row)
    for (int column = 0; column < kBalls; ++column) {
      const int x = 4 + column * kPitch - dx, y = 4 + row * kPitch - dy;
      image.Ball3D(x, y, x + kPitch - 6, y + kPitch - 6, RGB(30 * column, 60, 30 * row), clWhite, true);
    }
  image.Repaint();
}

void TComponentsDemo::Poly1BeforeDraw(TComponent*, int Xc, int Yc, double R) {
  const TPoint dot = Poly1->ContPoint(Travel, Xc, Yc, R);
  TVekImage& image = Poly1->Image();
  image.Canvas().Pen.Color = clWhite;
  image.Canvas().Brush.Color = clYellow;
  image.Ellipse(dot.X, dot.Y, 5);
}

void TComponentsDemo::Timer1Timer(TComponent*) {
  Travel = std::fmod(Travel + 0.005, 1.0);
  VekProgress2->StepIt(2);
  Poly1->SetRotation(std::fmod(Poly1->Rotation() + 1, 360));
  Escala1->DrawMarkVertical(VekProgress2->Position());
  if (StepsLeft > 0 && --StepsLeft == 0) Timer1->SetEnabled(false);
}
