#include <string>
#include <vector>

#include "GalleryFixture.h"
#include "framework/ui/controls/SpeedButton.h"
#include "framework/ui/controls/StaticText.h"
#include "gallery/GalleryArguments.h"
#include "gallery/GalleryPage.h"
#include "gallery/GalleryStartup.h"

namespace {

using Gallery = TGalleryFixture;

TEST_F(Gallery, OneTabPerPageShowsItsPageAloneAndSaysWhatItShows) {
  EXPECT_EQ(GalleryForm->CurrentPage(), GalleryForm->Pages.front());
  std::vector<std::string> titles;
  for (std::size_t i = 0; i < GalleryForm->Pages.size(); ++i) {
    ClickAt(MiddleOf(*GalleryForm->Tabs[i]));
    titles.push_back(GalleryForm->CurrentPage()->Title());
    for (const TGalleryPage* page : GalleryForm->Pages) EXPECT_EQ(page->Visible(), page == GalleryForm->CurrentPage());
    EXPECT_TRUE(GalleryForm->Tabs[i]->Down());
  }
  EXPECT_EQ(titles, (std::vector<std::string>{"Image", "Progress", "Scale", "Polygon", "Plot", "Drives", "Effect"}));
  EXPECT_NE(GalleryForm->StatusText->Caption().find("TQuenbrel"), std::string::npos);
  EXPECT_TRUE(GalleryForm->ShowPage("drives"));
  EXPECT_EQ(GalleryForm->CurrentPage()->Title(), "Drives");
  EXPECT_FALSE(GalleryForm->ShowPage("nothing"));
}

TEST_F(Gallery, CtrlTabAndCtrlPageDownGoToTheNextPageAndBackRound) {
  const auto page = [] { return GalleryForm->CurrentPage()->Title(); };
  std::vector<std::string> seen;
  for (const auto& [key, shift] : std::vector<std::pair<unsigned, TShiftState>>{{VK_TAB, ssCtrl},
                                                                                {VK_NEXT, ssCtrl},
                                                                                {VK_TAB, ssCtrl | ssShift},
                                                                                {VK_PRIOR, ssCtrl},
                                                                                {VK_PRIOR, ssCtrl},
                                                                                {VK_NEXT, ssCtrl},
                                                                                {VK_TAB, 0}}) {
    Type(key, shift);
    seen.push_back(page());
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"Progress", "Scale", "Progress", "Image", "Effect", "Image", "Image"}));
  EXPECT_TRUE(GalleryForm->Tabs[0]->Down());
}

// Where a control lies in the window.
TRect InWindow(const TControl& control) {
  return Bounds(control.WindowOffset().X, control.WindowOffset().Y, control.Width(), control.Height());
}

void ExpectInside(const TWinControl& parent, const TRect& client, const std::string& page) {
  for (const TControl* child : parent.Controls()) {
    if (!child->Visible()) continue;
    EXPECT_EQ(InWindow(*child).Intersect(client), InWindow(*child)) << page << ": " << child->Name;
    if (const auto* inner = dynamic_cast<const TWinControl*>(child)) ExpectInside(*inner, client, page);
  }
}

// However small the user makes it, every tab and every control of every page stays whole in
// the window: the window manager is told the least size, and the form keeps it.
TEST_F(Gallery, AtItsLeastSizeEveryTabAndEveryControlOfEveryPageIsInTheWindow) {
  GalleryForm->SetBounds(GalleryForm->Left(), GalleryForm->Top(), 320, 220);
  const TSize least{GalleryForm->Width(), GalleryForm->Height()};
  EXPECT_EQ(H.System->Window(Window())->Params.MinSize, least);
  for (TGalleryPage* page : GalleryForm->Pages) {
    GalleryForm->ShowPage(page);
    H.App.ProcessMessages();
    ExpectInside(*GalleryForm, GalleryForm->ClientRect(), page->Title());
  }
}

// Enlarged, tall or wide, each page's component grows with the window until it meets the
// room's right or bottom edge, and stays within the room.
TEST_F(Gallery, EnlargedEachPageUsesTheRoomItGets) {
  for (const TSize size : {TSize{1000, 700}, TSize{1400, 0}}) {
    GalleryForm->SetBounds(0, 0, size.cx, size.cy);
    for (TGalleryPage* page : GalleryForm->Pages) {
      GalleryForm->ShowPage(page);
      H.App.ProcessMessages();
      const TRect room = page->Showcase()->AlignRect();
      TRect used = Bounds(room.Left, room.Top, 0, 0);
      for (const TControl* child : page->Showcase()->Controls())
        if (child->Visible()) used = used.Union(child->BoundsRect());
      EXPECT_TRUE(used.Right >= room.Right - 1 || used.Bottom >= room.Bottom - 1) << page->Title() << size.cx;
      EXPECT_EQ(used.Intersect(room), used) << page->Title() << size.cx;
    }
  }
}

TEST(GalleryArguments, APageAndOnePictureAtMost) {
  const auto both = ParseGalleryArguments({"--page", "plot", "a.jpg"});
  ASSERT_TRUE(both);
  EXPECT_EQ(both->Page, "plot");
  EXPECT_EQ(both->Picture, "a.jpg");
  EXPECT_TRUE(ParseGalleryArguments({}));
  EXPECT_FALSE(ParseGalleryArguments({"a.jpg", "b.jpg"}));
  EXPECT_FALSE(ParseGalleryArguments({"--page"}));
  EXPECT_FALSE(ParseGalleryArguments({"--colour"}));
}

TEST(GalleryStartup, ArgumentsItDoesNotUnderstandEndItWithoutAWindow) {
  auto system = std::make_shared<THeadlessWindowSystem>();
  EXPECT_EQ(GalleryMain({"zzQuenbrel-gallery", "--what"}, system), 2);
  EXPECT_EQ(GalleryMain({"zzQuenbrel-gallery", "--page", "nowhere"}, system), 2);
  EXPECT_TRUE(system->OwnWindows().empty());
}

}  // namespace
