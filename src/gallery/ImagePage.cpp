#include "ImagePage.h"

#include "components/ColorButton.h"
#include "components/VekImage.h"
#include "framework/ui/ScrollBar.h"
#include "framework/ui/SpeedButton.h"

TImagePage::TImagePage(TComponent* owner) : TGalleryPage(owner, "Image") { CreateControls(); }

// The first showing draws the picture, once the surfaces have their size.
void TImagePage::PageShown() {
  if (FDrawn) return;
  FDrawn = true;
  Image1->Resize();
  Image2->Resize();
  Image2->Fill(clBtnFace);
  Redraw();
}

TShowcaseDrawing TImagePage::Drawing() const {
  for (std::size_t i = 0; i < DrawingButtons.size(); ++i)
    if (DrawingButtons[i]->Down()) return static_cast<TShowcaseDrawing>(i);
  return TShowcaseDrawing::Boxes;
}

void TImagePage::Redraw() {
  TShowcaseStyle style;
  style.Color1 = ColorButton1->Color();
  style.Color2 = ColorButton2->Color();
  style.Size = SizeBar->Position();
  style.Angle = AngleBar->Position();
  Image1->Resize();
  DrawShowcase(*Image1, Drawing(), style);
}

void TImagePage::DrawingChange(TComponent*) { Redraw(); }

void TImagePage::ClearItemClick(TComponent*) { Image1->Fill(clWhite); }

void TImagePage::CopyItemClick(TComponent*) { ImageDragDrop(Image2, Image1, 0, 0); }

void TImagePage::ImageDragOver(TComponent* Sender, TComponent* Source, int, int, TDragState, bool& Accept) {
  Accept = Source != Sender && dynamic_cast<TVekImage*>(Source) != nullptr;
}

// The picture goes over whole, at its own size.
void TImagePage::ImageDragDrop(TComponent* Sender, TComponent* Source, int, int) {
  auto* target = static_cast<TVekImage*>(Sender);
  target->Picture().Bitmap().Assign(static_cast<TVekImage*>(Source)->Picture().Bitmap());
}
