#include <vector>

#include "GalleryFixture.h"
#include "components/Canvas2D.h"
#include "components/VekImage.h"
#include "framework/ui/controls/SpeedButton.h"
#include "framework/ui/controls/StaticText.h"
#include "gallery/PlotPage.h"

namespace {

class PlotPage : public TGalleryFixture {
 protected:
  void SetUp() override {
    TGalleryFixture::SetUp();
    ShowPage("Plot");
  }
  TPlotPage& Page() { return *GalleryForm->PlotPage; }
  std::vector<double> Range() {
    const TCanvas2D& plot = *Page().Plot1;
    return {plot.AxisXMin(), plot.AxisYMin(), plot.AxisXMax(), plot.AxisYMax()};
  }
  // The middle of the plot area, in the window's coordinates.
  TPoint PlotMiddle() {
    const TVekImage& surface = Page().Plot1->Image();
    const TRect area = Page().Plot1->DrawRectGet();
    return {surface.WindowOffset().X + (area.Left + area.Right) / 2,
            surface.WindowOffset().Y + (area.Top + area.Bottom) / 2};
  }
  void Settle() {
    H.RunUntil([&] { return !Page().Plot1->Busy(); });
  }
};

TEST_F(PlotPage, AClickInZoomInModeNarrowsTheRangeAboutItAndHomeBringsItBack) {
  const std::vector<double> home = Range();
  ClickAt(MiddleOf(*Page().ModeButtons[1]));
  ClickAt(PlotMiddle());
  Settle();
  const std::vector<double> zoomed = Range();
  EXPECT_LT(zoomed[2] - zoomed[0], home[2] - home[0]);
  EXPECT_LT(zoomed[3] - zoomed[1], home[3] - home[1]);
  ClickAt(MiddleOf(*Page().HomeButton));
  Settle();
  EXPECT_EQ(Range(), home);
  EXPECT_TRUE(Page().ModeButtons[0]->Down());
  EXPECT_EQ(Page().Plot1->ZoomMode(), zmNone);
}

TEST_F(PlotPage, ThePointUnderThePointerIsToldInWorldCoordinates) {
  Mouse(TEventKind::MouseMove, PlotMiddle());
  EXPECT_NE(Page().PointText->Caption().find("x = "), std::string::npos);
  EXPECT_NE(Page().PointText->Caption().find("y = "), std::string::npos);
}

}  // namespace
