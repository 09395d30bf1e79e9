#pragma once
#include <string>
#include <vector>

#include "GalleryPage.h"
#include "ShowcaseDrawings.h"
#include "components/VekImage.h"

class TColorButton;
class TMenuItem;
class TOpenDialog;
class TPopupMenu;
class TSaveDialog;
class TScrollBar;
class TSpeedButton;
class TStaticText;
class TVekProgress;

// The image surface: a picture in a frame with its menu (open, save and rotate picture
// files, a progress bar following a load), its drawing members, and a second frame onto
// which the picture can be dragged (and back). A picture larger than its frame shows whole,
// scaled down; the file keeps every pixel.
class TImagePage : public TGalleryPage {
 public:
  explicit TImagePage(TComponent* owner);

  TPanel* Frame1 = nullptr;
  TVekImage* Image1 = nullptr;
  TPanel* Frame2 = nullptr;
  TVekImage* Image2 = nullptr;
  TVekProgress* Progress1 = nullptr;
  TStaticText* HelpText = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;
  TMenuItem* OpenItem = nullptr;
  TMenuItem* SaveItem = nullptr;
  TMenuItem* RotateItem = nullptr;
  TMenuItem* RotateAngleItem = nullptr;
  TMenuItem* CopyItem = nullptr;
  TMenuItem* DrawItem = nullptr;
  TMenuItem* ClearItem = nullptr;
  TOpenDialog* OpenDialog1 = nullptr;
  TSaveDialog* SaveDialog1 = nullptr;
  std::vector<TSpeedButton*> DrawingButtons;
  TColorButton* ColorButton1 = nullptr;
  TColorButton* ColorButton2 = nullptr;
  TScrollBar* SizeBar = nullptr;
  TScrollBar* AngleBar = nullptr;

  // Shows the picture in the file in the first frame; a failure leaves the picture alone.
  void LoadPicture(const std::string& fileName);
  // Draws the chosen drawing over the whole first frame with the properties' values.
  void Redraw();
  TShowcaseDrawing Drawing() const;

  void PageShown() override;
  void ArrangeShowcase(const TRect& room) override;
  // A drawing, a colour or a value changed, or the menu asked: the picture is drawn anew.
  void DrawingChange(TComponent* Sender);
  void OpenItemClick(TComponent* Sender);
  void SaveItemClick(TComponent* Sender);
  void RotateItemClick(TComponent* Sender);
  void RotateAngleItemClick(TComponent* Sender);
  void CopyItemClick(TComponent* Sender);
  void ClearItemClick(TComponent* Sender);
  void Image1Progress(TComponent* Sender, TProgressStage Stage, int PercentDone);
  void ImageDragOver(TComponent* Sender, TComponent* Source, int X, int Y, TDragState State, bool& Accept);
  void ImageDragDrop(TComponent* Sender, TComponent* Source, int X, int Y);

 private:
  // The form description: ImagePageDescription.cpp.
  void CreateControls();
  // Each picture shown again in its frame, after the frames changed their size.
  void FitPictures();
  bool FPrepared = false;
  // Whether the first picture is a drawing (made anew at the frame's size), and whether the
  // second holds a picture dropped on it (else it is a blank face).
  bool FImage1Drawn = false;
  bool FImage2Dropped = false;
  // The file the picture shown came from or went to last; Save as offers its name.
  std::string FPictureFileName;
};
