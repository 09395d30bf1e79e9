#pragma once
#include <string>

#include "framework/ui/controls/Panel.h"

// One page of the gallery: a panel filling the window below its tabs, shown while its tab
// is down. A page shows one component in its showcase, with a column of its properties at
// the right.
class TGalleryPage : public TPanel {
 public:
  static constexpr int Margin = 8;
  static constexpr int ColumnWidth = 176;

  TGalleryPage(TComponent* owner, std::string title);

  // The tab's caption; lower-cased, the name of the page on the command line.
  const std::string& Title() const { return FTitle; }
  // The page's area left of its column; what is aligned in it keeps a margin from its edges.
  TPanel* Showcase() const { return FShowcase; }
  // The page came into view, or went out of it: a page that animates runs only meanwhile.
  virtual void PageShown() {}
  virtual void PageHidden() {}

 private:
  std::string FTitle;
  TPanel* FShowcase;
};
