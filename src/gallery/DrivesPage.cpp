#include "DrivesPage.h"

#include "components/ColorButton.h"
#include "components/VekImage.h"
#include "framework/platform/DiskQueries.h"
#include "framework/ui/controls/SpeedButton.h"

TDrivesPage::TDrivesPage(TComponent* owner) : TGalleryPage(owner, "Drives"), FQueries(&SystemDiskQueries()) {
  CreateControls();
}

void TDrivesPage::UseQueries(TDiskQueries& queries) { FQueries = &queries; }

TSizeUnit TDrivesPage::Unit() const {
  for (std::size_t i = 0; i < UnitButtons.size(); ++i)
    if (UnitButtons[i]->Down()) return static_cast<TSizeUnit>(i);
  return TSizeUnit::Bytes;
}

void TDrivesPage::Query() { FRows = DriveRows(*FQueries, Unit()); }

void TDrivesPage::Draw() {
  Image1->Resize();
  DrawTable(*Image1, FRows, StripeButton->Color());
}

// The drives are asked for each time the page comes into view: a stick may have come.
void TDrivesPage::PageShown() { PropertyChange(this); }

void TDrivesPage::Frame1Resize(TComponent*) {
  if (Visible()) Draw();
}

void TDrivesPage::PropertyChange(TComponent*) {
  Query();
  Draw();
}
