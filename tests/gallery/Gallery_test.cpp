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
