#include "Escala.h"

#include <algorithm>

#include "VekImage.h"
#include "framework/base/StoreChanged.h"
#include "framework/graphics/Canvas.h"

namespace {

TAlign DockOf(TEscalaAlignment a) {
  switch (a) {
    case TEscalaAlignment::eaBottom: return TAlign::alBottom;
    case TEscalaAlignment::eaLeft: return TAlign::alLeft;
    case TEscalaAlignment::eaRight: return TAlign::alRight;
    case TEscalaAlignment::eaTop: return TAlign::alTop;
    default: return TAlign::alNone;
  }
}

// Margins and band widths beyond the largest automatic size could only push the band out of
// sight; refusing them keeps every sum of them far from overflowing.
bool AcceptablePixels(int v) { return v <= TEscala::MaxAutoSize; }

}  // namespace

TEscala::TEscala(TComponent* owner) : TPnlImg(owner), FPainter(FModel, Image()) {
  FDrawing = true;
  SetBevelInner(TBevelCut::bvNone);
  SetBevelOuter(TBevelCut::bvLowered);
  SetBevelWidth(1);
  TFont font = Font();
  font.Name = "Times new roman";
  font.SetSize(8);
  TCustomPanel::SetFont(font);
  SetCaption(" ");
  SetBounds(Left(), Top(), 48, 320);
  FDrawing = false;
  Draw();
}

// --- Setters ---

template <class T, class U>
void TEscala::StoreAndDraw(T& field, const U& value) {
  if (StoreChanged(field, value)) Draw();
}

void TEscala::SetAutoSize(bool on) { StoreAndDraw(FAutoSize, on); }

void TEscala::SetBandWidth(int width) {
  if (AcceptablePixels(width)) StoreAndDraw(FPainter.BandWidth, width);
}

void TEscala::SetFormat(const std::string& picture) { StoreAndDraw(FPainter.Format, picture); }
void TEscala::SetGradColor1(TColor c) { StoreAndDraw(FModel.GradColor1, c); }
void TEscala::SetGradColor2(TColor c) { StoreAndDraw(FModel.GradColor2, c); }

void TEscala::SetInterval(double v) {
  if (FModel.SetInterval(v)) Draw();
}

void TEscala::SetMargin(int margin) {
  if (AcceptablePixels(margin)) StoreAndDraw(FPainter.Margin, margin);
}

void TEscala::SetMaximum(double v) {
  if (FModel.SetMaximum(v)) Draw();
}

void TEscala::SetMinimum(double v) {
  if (FModel.SetMinimum(v)) Draw();
}

void TEscala::SetMaxMin(double max, double min) {
  if (FModel.SetMaxMin(max, min)) Draw();
}

void TEscala::SetTextInterval(int count) { StoreAndDraw(FPainter.TextInterval, count); }

void TEscala::SetAlignment(TEscalaAlignment alignment) {
  if (!StoreChanged(FAlignment, alignment)) return;
  SetAlign(DockOf(alignment));
  Draw();
}

void TEscala::SetGraduation(TEscalaGraduation graduation) { StoreAndDraw(FModel.Graduation, graduation); }
void TEscala::SetOrientation(TEscalaOrientation orientation) { StoreAndDraw(FOrientation, orientation); }
void TEscala::SetPosition(TEscalaPosition position) { StoreAndDraw(FPainter.Position, position); }

void TEscala::SetColor(TColor c) {
  if (c == Color()) return;
  TCustomPanel::SetColor(c);
  Draw();
}

void TEscala::SetFont(const TFont& font) {
  if (font == Font()) return;
  TCustomPanel::SetFont(font);
  Draw();
}

// --- Painting ---

void TEscala::SurfaceResized() {
  if (!FDrawing) EscalaResize(this);
}

void TEscala::EscalaResize(TComponent*) {
  Image().Resize();
  Draw();
}

void TEscala::PaintHorizontal() {
  Image().Canvas().Font = Font();
  FPainter.PaintHorizontal();
}

void TEscala::PaintVertical() {
  Image().Canvas().Font = Font();
  FPainter.PaintVertical();
}

void TEscala::PlaceInParent() {
  if (!Parent()) return;
  const int left = (Parent()->Width() - Width()) / 2;
  const int top = (Parent()->Height() - Height()) / 2;
  switch (FAlignment) {
    case TEscalaAlignment::eaCentered: SetBounds(left, top, Width(), Height()); break;
    case TEscalaAlignment::eaHCentered: SetLeft(left); break;
    case TEscalaAlignment::eaVCentered: SetTop(top); break;
    default: break;
  }
}

void TEscala::ApplyAutoSize(const TEscalaPainter::TLabelSize& labels) {
  const long long fit = FPainter.FittedSize(FOrientation, labels);
  const int size = static_cast<int>(std::clamp<long long>(fit, 0, MaxAutoSize));
  if (FOrientation == TEscalaOrientation::eoVertical) SetWidth(size);
  else SetHeight(size);
}

void TEscala::Draw() {
  TVekImage& image = Image();
  image.Resize();
  if (!FModel.Valid()) return;
  const bool wasDrawing = FDrawing;
  FDrawing = true;
  if (FAlignment == TEscalaAlignment::eaTop || FAlignment == TEscalaAlignment::eaBottom)
    FOrientation = TEscalaOrientation::eoHorizontal;
  if (FAlignment == TEscalaAlignment::eaLeft || FAlignment == TEscalaAlignment::eaRight)
    FOrientation = TEscalaOrientation::eoVertical;
  image.Canvas().Font = Font();
  const TEscalaPainter::TLabelSize labels = FPainter.MeasureLabels();
  // The fitted size depends on the labels alone; the surface follows it through PanelResize.
  if (FAutoSize && image.Width() >= 5 && image.Height() >= 5) ApplyAutoSize(labels);
  PlaceInParent();
  image.Fill(Color());
  if (image.Width() >= 5 && image.Height() >= 5) {
    if (FOrientation == TEscalaOrientation::eoHorizontal) PaintHorizontal();
    else PaintVertical();
  }
  FDrawing = wasDrawing;
  Repaint();
}

void TEscala::DrawMarkVertical(double v) {
  Image().Canvas().Font = Font();
  FPainter.DrawMarkVertical(v, Color());
}
