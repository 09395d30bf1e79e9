#include "GalleryPage.h"

#include <algorithm>

#include "PropertyColumn.h"
#include "framework/graphics/StylePainter.h"

namespace {

class TShowcase : public TPanel {
 public:
  using TPanel::TPanel;
  TRect AlignRect() const override { return TStylePainter::Inset(ClientRect(), TGalleryPage::Margin); }
};

}  // namespace

TGalleryPage::TGalleryPage(TComponent* owner, std::string title)
    : TPanel(owner), FTitle(std::move(title)), FShowcase(new TShowcase(this)) {
  SetBevelOuter(TBevelCut::bvNone);
  SetAlign(TAlign::alClient);
  SetVisible(false);
  FShowcase->Name = "Showcase";
  FShowcase->SetBevelOuter(TBevelCut::bvNone);
  FShowcase->SetParent(this);
  FShowcase->SetAlign(TAlign::alClient);
  FShowcase->OnResize = [this](TComponent*) { ArrangeShowcase(FShowcase->AlignRect()); };
}

TSize TGalleryPage::LeastSize() const {
  int height = LeastShowcase.cy;
  for (const TControl* child : Controls()) {
    const auto* column = dynamic_cast<const TWinControl*>(child);
    if (child == FShowcase || !column) continue;
    // The column's properties are stacked from its top, as far in from its bottom.
    int bottom = 0;
    for (const TControl* property : column->Controls()) bottom = std::max(bottom, property->Top() + property->Height());
    height = std::max(height, bottom + TPropertyColumn::Inset);
  }
  return {LeastShowcase.cx + ColumnWidth, height};
}
