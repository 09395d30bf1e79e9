#pragma once
#include <string>
#include <vector>

#include "GalleryPage.h"
#include "ShowcaseDrawings.h"

class TColorButton;
class TMenuItem;
class TPopupMenu;
class TScrollBar;
class TSpeedButton;
class TStaticText;
class TVekImage;

// The image surface: a picture and its drawing members, a popup menu on the picture, and a
// second surface onto which the picture can be dragged (and back).
class TImagePage : public TGalleryPage {
 public:
  explicit TImagePage(TComponent* owner);

  TPanel* Frame1 = nullptr;
  TVekImage* Image1 = nullptr;
  TPanel* Frame2 = nullptr;
  TVekImage* Image2 = nullptr;
  TStaticText* DropText = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;
  TMenuItem* CopyItem = nullptr;
  TMenuItem* DrawItem = nullptr;
  TMenuItem* ClearItem = nullptr;
  std::vector<TSpeedButton*> DrawingButtons;
  TColorButton* ColorButton1 = nullptr;
  TColorButton* ColorButton2 = nullptr;
  TScrollBar* SizeBar = nullptr;
  TScrollBar* AngleBar = nullptr;

  void PageShown() override;
  // A drawing, a colour or a value changed, or the menu asked: the picture is drawn anew.
  void DrawingChange(TComponent* Sender);
  void CopyItemClick(TComponent* Sender);
  void ClearItemClick(TComponent* Sender);
  void ImageDragOver(TComponent* Sender, TComponent* Source, int X, int Y, TDragState State, bool& Accept);
  void ImageDragDrop(TComponent* Sender, TComponent* Source, int X, int Y);

  // Draws the chosen drawing into the first picture with the properties' values.
  void Redraw();
  TShowcaseDrawing Drawing() const;

 private:
  // The form description: ImagePageDescription.cpp.
  void CreateControls();
  bool FDrawn = false;
};
