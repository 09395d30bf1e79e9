#include "ImagePage.h"

#include <algorithm>
#include <cmath>

#include "components/ColorButton.h"
#include "components/VekProgress.h"
#include "framework/ui/controls/ScrollBar.h"
#include "framework/ui/controls/SpeedButton.h"
#include "framework/ui/controls/StaticText.h"
#include "framework/ui/dialogs/FileDialog.h"

namespace {

// Places the surface in its frame so that the whole picture shows: 1:1 in the middle when
// it fits, else scaled down to fit, keeping its proportions.
void ShowWhole(TVekImage& image, const TPanel& frame) {
  const TRect inside = frame.AlignRect();
  const TBitmap& picture = image.Picture().Bitmap();
  const double scale = std::min({1.0, double(inside.Width()) / std::max(picture.Width(), 1),
                                 double(inside.Height()) / std::max(picture.Height(), 1)});
  const int width = std::max(static_cast<int>(std::lround(picture.Width() * scale)), 1);
  const int height = std::max(static_cast<int>(std::lround(picture.Height() * scale)), 1);
  image.SetStretch(scale < 1);
  // The control's own bounds: the picture keeps its size.
  image.TControl::SetBounds(inside.Left + (inside.Width() - width) / 2, inside.Top + (inside.Height() - height) / 2,
                            width, height);
}

// The surface covers its frame's inside, its picture brought to that size.
void FillFrame(TVekImage& image, const TPanel& frame) {
  const TRect inside = frame.AlignRect();
  image.SetStretch(false);
  image.TControl::SetBounds(inside.Left, inside.Top, inside.Width(), inside.Height());
  image.Resize();
}

}  // namespace

TImagePage::TImagePage(TComponent* owner) : TGalleryPage(owner, "Image") { CreateControls(); }

// The first showing readies the drop frame and draws a picture unless one was loaded.
void TImagePage::PageShown() {
  if (FPrepared) return;
  FPrepared = true;
  FillFrame(*Image2, *Frame2);
  Image2->Fill(clBtnFace);
  if (Image1->Picture().Empty()) Redraw();
}

// Two square frames as large as the room lets them be, side by side; the bar under both.
void TImagePage::ArrangeShowcase(const TRect& room) {
  const int below = Margin + Progress1->Height() + Margin + HelpText->Height();
  const int side = std::max(std::min((room.Width() - Margin) / 2, room.Height() - below), 1);
  Frame1->SetBounds(room.Left, room.Top, side, side);
  Frame2->SetBounds(room.Left + side + Margin, room.Top, side, side);
  Progress1->SetBounds(room.Left, room.Top + side + Margin, 2 * side + Margin, Progress1->Height());
  HelpText->SetBounds(room.Left, Progress1->Top() + Progress1->Height() + Margin, HelpText->Width(),
                      HelpText->Height());
  if (FPrepared) FitPictures();
}

void TImagePage::FitPictures() {
  if (FImage1Drawn) Redraw();
  else ShowWhole(*Image1, *Frame1);
  if (FImage2Dropped) {
    ShowWhole(*Image2, *Frame2);
  } else {
    FillFrame(*Image2, *Frame2);
    Image2->Fill(clBtnFace);
  }
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
  FillFrame(*Image1, *Frame1);
  DrawShowcase(*Image1, Drawing(), style);
  FImage1Drawn = true;
}

void TImagePage::LoadPicture(const std::string& fileName) {
  Image1->LoadFromFile(fileName);
  FImage1Drawn = false;
  ShowWhole(*Image1, *Frame1);
  OpenDialog1->FileName = fileName;
  FPictureFileName = fileName;
}

void TImagePage::DrawingChange(TComponent*) { Redraw(); }

void TImagePage::OpenItemClick(TComponent*) {
  if (OpenDialog1->Execute()) LoadPicture(OpenDialog1->FileName);
}

void TImagePage::SaveItemClick(TComponent*) {
  // The picture's own file, never one that failed to load.
  SaveDialog1->FileName = FPictureFileName;
  if (!SaveDialog1->Execute()) return;
  Image1->SaveToFile(SaveDialog1->FileName);
  FPictureFileName = SaveDialog1->FileName;
}

void TImagePage::RotateItemClick(TComponent*) {
  Image1->Rotate(90);
  FImage1Drawn = false;
  ShowWhole(*Image1, *Frame1);
}

void TImagePage::RotateAngleItemClick(TComponent*) {
  Image1->Rotate(AngleBar->Position());
  FImage1Drawn = false;
  ShowWhole(*Image1, *Frame1);
}

void TImagePage::CopyItemClick(TComponent*) { ImageDragDrop(Image2, Image1, 0, 0); }

void TImagePage::ClearItemClick(TComponent*) {
  FillFrame(*Image1, *Frame1);
  Image1->Fill(clWhite);
  FImage1Drawn = false;
}

// The bar shows at once: a load runs without returning to the loop. The ending stage tells
// 100 for a picture loaded, and how far a failed load came.
void TImagePage::Image1Progress(TComponent*, TProgressStage, int PercentDone) {
  Progress1->SetPosition(PercentDone);
  Progress1->Repaint();
}

void TImagePage::ImageDragOver(TComponent* Sender, TComponent* Source, int, int, TDragState, bool& Accept) {
  Accept = Source != Sender && dynamic_cast<TVekImage*>(Source) != nullptr;
}

// The picture goes over whole, at its own size.
void TImagePage::ImageDragDrop(TComponent* Sender, TComponent* Source, int, int) {
  auto* target = static_cast<TVekImage*>(Sender);
  target->Picture().Bitmap().Assign(static_cast<TVekImage*>(Source)->Picture().Bitmap());
  if (target == Image1) FImage1Drawn = false;
  else FImage2Dropped = true;
  ShowWhole(*target, *static_cast<TPanel*>(target->Parent()));
}
