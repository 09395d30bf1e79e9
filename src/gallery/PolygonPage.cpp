#include "PolygonPage.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "components/ColorButton.h"
#include "components/Poly.h"
#include "components/VekImage.h"
#include "framework/ui/controls/ScrollBar.h"
#include "framework/ui/controls/SpeedButton.h"
#include "framework/ui/controls/StaticText.h"
#include "framework/ui/core/Timer.h"

namespace {

constexpr double kWalkStep = 0.005;  // of the perimeter, per tick
constexpr int kMarkerRadius = 5;

}  // namespace

TPolygonPage::TPolygonPage(TComponent* owner) : TGalleryPage(owner, "Polygon") { CreateControls(); }

void TPolygonPage::PageShown() { PropertyChange(this); }

void TPolygonPage::PageHidden() { Timer1->SetEnabled(false); }

void TPolygonPage::ArrangeShowcase(const TRect& room) {
  const int side = std::max(std::min(room.Width(), room.Height() - Margin - PerimeterText->Height()), 1);
  Poly1->SetBounds(room.Left, room.Top, side, side);
  PerimeterText->SetBounds(room.Left, room.Top + side + Margin, PerimeterText->Width(), PerimeterText->Height());
}

void TPolygonPage::PropertyChange(TComponent*) {
  Poly1->SetColorBack(BackButton->Color());
  Poly1->SetColorBrush(BrushButton->Color());
  Poly1->SetColorPen(PenButton->Color());
  Poly1->SetCount(CountBar->Position());
  Poly1->SetRotation(RotationBar->Position());
  Poly1->SetWidthPen(PenWidthBar->Position());
  Poly1->Draw(this);
  Timer1->SetEnabled(Visible() && WalkButtons.front()->Down());
}

// Every paint ends here: the perimeter is told and the marker drawn where it has walked to.
void TPolygonPage::Poly1BeforeDraw(TComponent*, int xc, int yc, double r) {
  const double perimeter = Poly1->ContLen(xc, yc, r);
  PerimeterText->SetCaption("Perimeter: " + std::to_string(std::lround(perimeter)) + " pixels; the marker is " +
                            std::to_string(std::lround(FWalked * 100)) + " % of the way round");
  const TPoint at = Poly1->ContPoint(FWalked, xc, yc, r);
  Poly1->Image().Ball3D(at.X - kMarkerRadius, at.Y - kMarkerRadius, at.X + kMarkerRadius, at.Y + kMarkerRadius,
                        clMaroon, clYellow, true);
}

void TPolygonPage::Timer1Timer(TComponent*) {
  FWalked = std::fmod(FWalked + kWalkStep, 1.0);
  Poly1->Draw(this);
}
