#include "GalleryForm.h"

#include <algorithm>
#include <cctype>

#include "GalleryPage.h"
#include "framework/ui/controls/Panel.h"
#include "framework/ui/controls/SpeedButton.h"
#include "framework/ui/controls/StaticText.h"

TGalleryForm* GalleryForm = nullptr;

namespace {

bool SameTitle(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

TGalleryForm::TGalleryForm(TComponent* owner) : TForm(owner) { CreateControls(); }

TGalleryForm::~TGalleryForm() {
  if (GalleryForm == this) GalleryForm = nullptr;
}

void TGalleryForm::FormShow(TComponent*) {
  if (!FCurrent) ShowPage(Pages.front());
}

bool TGalleryForm::ShowPage(const std::string& title) {
  const auto found = std::find_if(Pages.begin(), Pages.end(),
                                  [&](const TGalleryPage* page) { return SameTitle(page->Title(), title); });
  if (found == Pages.end()) return false;
  ShowPage(*found);
  return true;
}

void TGalleryForm::ShowPage(TGalleryPage* page) {
  if (page == FCurrent) return;
  if (FCurrent) {
    FCurrent->SetVisible(false);
    FCurrent->PageHidden();
  }
  FCurrent = page;
  const auto index = static_cast<std::size_t>(std::find(Pages.begin(), Pages.end(), page) - Pages.begin());
  Tabs[index]->SetDown(true);
  StatusText->SetCaption(" " + FStatus[index]);
  page->SetVisible(true);
  page->PageShown();
}

void TGalleryForm::FormKeyDown(TComponent*, unsigned& Key, TShiftState Shift) {
  if (!(Shift & ssCtrl)) return;
  int step = 0;
  if (Key == VK_TAB) step = (Shift & ssShift) ? -1 : 1;
  if (Key == VK_NEXT) step = 1;
  if (Key == VK_PRIOR) step = -1;
  if (step == 0) return;
  const auto count = static_cast<int>(Pages.size());
  const auto current = static_cast<int>(std::find(Pages.begin(), Pages.end(), FCurrent) - Pages.begin());
  ShowPage(Pages[static_cast<std::size_t>((current + step + count) % count)]);
  Key = 0;
}

TSizeConstraints TGalleryForm::LeastClientSize() const {
  TSizeConstraints least{Tabs.back()->Left() + Tabs.back()->Width() + Tabs.front()->Left(), 0};
  for (const TGalleryPage* page : Pages) {
    least.MinWidth = std::max(least.MinWidth, page->LeastSize().cx);
    least.MinHeight = std::max(least.MinHeight, page->LeastSize().cy);
  }
  least.MinHeight += TabBar->Height() + StatusText->Height();
  return least;
}

void TGalleryForm::TabClick(TComponent* Sender) {
  const auto index = static_cast<std::size_t>(std::find(Tabs.begin(), Tabs.end(), Sender) - Tabs.begin());
  if (index < Pages.size()) ShowPage(Pages[index]);
}
