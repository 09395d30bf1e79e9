#pragma once
#include <string>

#include "framework/graphics/Canvas.h"
#include "framework/ui/controls/Panel.h"

// One page of the gallery: a panel filling the window below its tabs, shown while its tab
// is down. A page shows one component in its showcase, with a column of its properties at
// the right.
class TGalleryPage : public TPanel {
 public:
  static constexpr int Margin = 8;
  static constexpr int ColumnWidth = 176;
  // The least room a showcase arranges its component in.
  static constexpr TSize LeastShowcase{200, 160};

  TGalleryPage(TComponent* owner, std::string title);

  // The tab's caption; lower-cased, the name of the page on the command line.
  const std::string& Title() const { return FTitle; }
  // The page's area left of its column; what is aligned in it keeps a margin from its edges.
  TPanel* Showcase() const { return FShowcase; }
  // The page came into view, or went out of it: a page that animates runs only meanwhile.
  virtual void PageShown() {}
  virtual void PageHidden() {}
  // The least size at which the whole column and the showcase's least room show.
  TSize LeastSize() const;

 protected:
  // Places what the showcase holds in `room`, its inside, each time its size changes: a page
  // whose controls do not fill it by their alignment uses the room it gets.
  virtual void ArrangeShowcase(const TRect&) {}

 private:
  std::string FTitle;
  TPanel* FShowcase;
};
