#include "GalleryPage.h"

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
}
