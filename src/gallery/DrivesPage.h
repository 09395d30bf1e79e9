#pragma once
#include <vector>

#include "DriveTable.h"
#include "GalleryPage.h"

class TColorButton;
class TDiskQueries;
class TSpeedButton;
class TVekImage;

// The disk-information component: a table of the machine's lettered drives.
class TDrivesPage : public TGalleryPage {
 public:
  explicit TDrivesPage(TComponent* owner);

  TPanel* Frame1 = nullptr;
  TVekImage* Image1 = nullptr;
  std::vector<TSpeedButton*> UnitButtons;
  TColorButton* StripeButton = nullptr;
  TSpeedButton* RefreshButton = nullptr;

  // Asks `queries` instead of the machine from now on; they must outlive the page.
  void UseQueries(TDiskQueries& queries);
  const std::vector<TTableRow>& Rows() const { return FRows; }

  void PageShown() override;
  void Frame1Resize(TComponent* Sender);
  // Asks for the drives again and draws them anew.
  void PropertyChange(TComponent* Sender);

 private:
  // The form description: DrivesPageDescription.cpp.
  void CreateControls();
  TSizeUnit Unit() const;
  void Query();
  void Draw();

  TDiskQueries* FQueries;
  std::vector<TTableRow> FRows;
};
