#include "ImagePage.h"
#include "PropertyColumn.h"
#include "components/ColorButton.h"
#include "components/VekProgress.h"
#include "framework/base/Handler.h"
#include "framework/ui/controls/ScrollBar.h"
#include "framework/ui/controls/SpeedButton.h"
#include "framework/ui/controls/StaticText.h"
#include "framework/ui/dialogs/FileDialog.h"
#include "framework/ui/menus/PopupMenu.h"

namespace {

constexpr const char* kPictureFilter =
    "Pictures|*.jpg;*.jpeg;*.png;*.bmp;*.gif;*.tif;*.tiff;*.pcx;*.wmf;*.emf|All files|*";

TPanel* NewFrame(TImagePage* page, const char* name) {
  auto* frame = new TPanel(page);
  frame->Name = name;
  frame->SetParent(page->Showcase());
  frame->SetBevelOuter(TBevelCut::bvLowered);
  return frame;
}

TVekImage* NewImage(TImagePage* page, const char* name, TPanel* frame) {
  auto* image = new TVekImage(page);
  image->Name = name;
  image->SetParent(frame);
  image->DragMode = TDragMode::dmAutomatic;
  image->OnDragOver = Handler(page, &TImagePage::ImageDragOver);
  image->OnDragDrop = Handler(page, &TImagePage::ImageDragDrop);
  return image;
}

TMenuItem* NewItem(TImagePage* page, const char* name, const char* caption, TShortCut shortCut,
                   void (TImagePage::*click)(TComponent*)) {
  auto* item = new TMenuItem(page);
  item->Name = name;
  item->Caption = caption;
  item->ShortCut = shortCut;
  if (click) item->OnClick = Handler(page, click);
  page->PopupMenu1->Items().Add(item);
  return item;
}

}  // namespace

void TImagePage::CreateControls() {
  // Two square frames side by side, the bar and the help beneath: ArrangeShowcase places them.
  Frame1 = NewFrame(this, "Frame1");
  Image1 = NewImage(this, "Image1", Frame1);
  Image1->OnProgress = Handler(this, &TImagePage::Image1Progress);
  Frame2 = NewFrame(this, "Frame2");
  Image2 = NewImage(this, "Image2", Frame2);

  Progress1 = new TVekProgress(this);
  Progress1->Name = "Progress1";
  Progress1->SetParent(Showcase());
  Progress1->SetHeight(20);
  Progress1->SetPosition(0);

  HelpText = new TStaticText(this);
  HelpText->Name = "HelpText";
  HelpText->SetParent(Showcase());
  HelpText->SetCaption("Right-click the left picture for its menu. Drag a picture onto the other.");

  PopupMenu1 = new TPopupMenu(this);
  PopupMenu1->Name = "PopupMenu1";
  OpenItem = NewItem(this, "OpenItem", "&Open...", ShortCut('O', ssCtrl), &TImagePage::OpenItemClick);
  SaveItem = NewItem(this, "SaveItem", "&Save as...", ShortCut('S', ssCtrl), &TImagePage::SaveItemClick);
  NewItem(this, "Line1", "-", 0, nullptr);
  RotateItem = NewItem(this, "RotateItem", "&Rotate 90\xC2\xB0", ShortCut('R', ssCtrl), &TImagePage::RotateItemClick);
  RotateAngleItem = NewItem(this, "RotateAngleItem", "Rotate by the &angle", 0, &TImagePage::RotateAngleItemClick);
  NewItem(this, "Line2", "-", 0, nullptr);
  CopyItem = NewItem(this, "CopyItem", "&Copy to the right", ShortCut('C', ssCtrl), &TImagePage::CopyItemClick);
  DrawItem = NewItem(this, "DrawItem", "&Draw again", ShortCut('D', ssCtrl), &TImagePage::DrawingChange);
  ClearItem = NewItem(this, "ClearItem", "C&lear", 0, &TImagePage::ClearItemClick);
  Image1->PopupMenu = PopupMenu1;

  OpenDialog1 = new TOpenDialog(this);
  OpenDialog1->Name = "OpenDialog1";
  OpenDialog1->Filter = kPictureFilter;
  SaveDialog1 = new TSaveDialog(this);
  SaveDialog1->Name = "SaveDialog1";
  SaveDialog1->Filter = kPictureFilter;
  SaveDialog1->Options = ofOverwritePrompt;

  TPropertyColumn column(this, this, "Properties");
  DrawingButtons = column.AddModes("DrawingButton", "Drawing", {"Boxes", "Balls", "OR", "Text"}, 1);
  for (TSpeedButton* button : DrawingButtons) button->OnClick = Handler(this, &TImagePage::DrawingChange);
  ColorButton1 = column.AddColor("ColorButton1", "First colour", clTeal);
  ColorButton1->OnChange = Handler(this, &TImagePage::DrawingChange);
  ColorButton2 = column.AddColor("ColorButton2", "Second colour", clYellow);
  ColorButton2->OnChange = Handler(this, &TImagePage::DrawingChange);
  SizeBar = column.AddBar("SizeBar", "Bevel and size", 1, 20, 4);
  SizeBar->OnChange = Handler(this, &TImagePage::DrawingChange);
  AngleBar = column.AddBar("AngleBar", "Angle of text and rotation", 0, 359, 30);
  AngleBar->OnChange = Handler(this, &TImagePage::DrawingChange);
}
