#include <cmath>
#include <string>

#include "GalleryFixture.h"
#include "components/ColorButton.h"
#include "components/Escala.h"
#include "components/Poly.h"
#include "components/VekImage.h"
#include "components/VekProgress.h"
#include "engine/Quenbrel.h"
#include "framework/platform/DiskQueries.h"
#include "framework/ui/controls/ScrollBar.h"
#include "framework/ui/controls/SpeedButton.h"
#include "framework/ui/controls/StaticText.h"
#include "framework/ui/core/Timer.h"
#include "gallery/DrivesPage.h"
#include "gallery/EffectPage.h"
#include "gallery/PolygonPage.h"
#include "gallery/ProgressPage.h"
#include "gallery/ScalePage.h"

namespace {

using GalleryPages = TGalleryFixture;

// Every letter but C names nothing; C is an ext4 disk of 3 GiB with 1 GiB free, mounted at /.
class TOneDriveQueries : public TDiskQueries {
 public:
  TDriveFacts Query(char letter) override {
    if (letter != 'C') return {};
    return {TVolumeInformation{"root", "ext4", 0x1234ABCD}, TDriveKind::Fixed,
            TDiskSpace{std::int64_t{3} << 30, std::int64_t{1} << 30}};
  }
  std::string MountPoint(char letter) override { return letter == 'C' ? "/" : ""; }
};

TEST_F(GalleryPages, TheEffectRunsOnlyWhileItsPageShowsAndTakesNewColoursAtOnce) {
  TEffectPage& page = *GalleryForm->EffectPage;
  EXPECT_FALSE(page.Timer1->Enabled());
  ShowPage("Effect");
  EXPECT_TRUE(page.Timer1->Enabled());
  const std::int32_t frames = QuenbrelMotion().FrameCount;
  H.RunTo(H.System->NowMs() + 100);
  EXPECT_GE(QuenbrelMotion().FrameCount - frames, 5);
  page.ColorButton1->SetColor(clRed);
  page.ColorButton1->OnChange(page.ColorButton1);
  EXPECT_EQ(page.Engine->Color1, 0xFF0000);  // pixel order
  ShowPage("Image");
  EXPECT_FALSE(page.Timer1->Enabled());
}

TEST_F(GalleryPages, TheDriveTableListsTheLettersThatNameADriveInTheChosenUnit) {
  TOneDriveQueries queries;
  TDrivesPage& page = *GalleryForm->DrivesPage;
  page.UseQueries(queries);
  ShowPage("Drives");
  ASSERT_EQ(page.Rows().size(), 2u);
  EXPECT_EQ(page.Rows()[1], (TTableRow{"C:", "Disco duro", "ext4", "root", "1234-ABCD", "3", "1", "/"}));
  EXPECT_EQ(page.Rows()[0].back(), "Mount point");
  ClickAt(MiddleOf(*page.UnitButtons[1]));
  EXPECT_EQ(page.Rows()[0][5], "Size (MiB)");
  EXPECT_EQ(page.Rows()[1][5], "3072");
}

TEST_F(GalleryPages, ProgressBarsFollowThePositionAndTheTimerBarSweepsWhileShown) {
  TProgressPage& page = *GalleryForm->ProgressPage;
  ShowPage("Progress");
  page.PositionBar->SetPosition(80);
  EXPECT_EQ(page.Bar1->Position(), 80);
  EXPECT_EQ(page.Bar2->Position(), 80);
  const int before = page.TimerBar->Position();
  H.RunTo(H.System->NowMs() + 90);
  EXPECT_NE(page.TimerBar->Position(), before);
  ClickAt(MiddleOf(*page.RunButtons[1]));
  const int paused = page.TimerBar->Position();
  H.RunTo(H.System->NowMs() + 90);
  EXPECT_EQ(page.TimerBar->Position(), paused);
}

TEST_F(GalleryPages, TheScalesTakeTheirColoursAndTheMarker) {
  TScalePage& page = *GalleryForm->ScalePage;
  ShowPage("Scale");
  ClickAt(MiddleOf(*page.ColouringButtons[1]));
  EXPECT_EQ(page.Scale2->Graduation(), TEscalaGraduation::egThree);
  page.StepsBar->SetPosition(2);
  EXPECT_EQ(page.Scale1->Interval(), 10.0);
  page.ColorButton1->SetColor(clLime);
  page.ColorButton1->OnChange(page.ColorButton1);
  EXPECT_EQ(page.Scale1->GradColor1(), clLime);
}

TEST_F(GalleryPages, ThePolygonsMarkerWalksItsOutlineAndThePerimeterIsTold) {
  TPolygonPage& page = *GalleryForm->PolygonPage;
  ShowPage("Polygon");
  const double start = page.Walked();
  H.RunTo(H.System->NowMs() + 200);
  EXPECT_GT(page.Walked(), start);
  page.CountBar->SetPosition(4);
  EXPECT_EQ(page.Poly1->Count(), 4);
  const TVekImage& image = page.Poly1->Image();
  const double perimeter = page.Poly1->ContLen(page.Poly1->ValueXc(), page.Poly1->ValueYc(), page.Poly1->ValueR());
  EXPECT_NE(page.PerimeterText->Caption().find(std::to_string(std::lround(perimeter)) + " pixels"), std::string::npos);
  EXPECT_GT(image.Width(), 0);
  ShowPage("Image");
  EXPECT_FALSE(page.Timer1->Enabled());
}

}  // namespace
