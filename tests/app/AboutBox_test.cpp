#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/AboutF.h"
#include "framework/ui/controls/Image.h"
#include "framework/ui/controls/SpeedButton.h"
#include "framework/ui/core/Screen.h"
#include "support/BitmapPicture.h"
#include "support/HeadlessApp.h"

namespace {

constexpr TColor kGrey = RGB(200, 200, 200);
constexpr TColor kMarker = RGB(1, 2, 3);

std::vector<TPixel> Pixels(const TBitmap& bitmap) {
  std::vector<TPixel> pixels;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) pixels.push_back(bitmap.PixelAt(x, y));
  return pixels;
}

class AboutBox : public ::testing::Test {
 protected:
  THeadlessApp H;
  TAboutF* About = nullptr;
  // The screen's cursor at every paint of the box.
  std::vector<TCursor> CursorAtPaint;

  void SetUp() override {
    H.App.Title = "zzQuenbrel I";
    About = new TAboutF(&H.App);
    About->OnPaint = [this](TComponent* sender) {
      CursorAtPaint.push_back(Screen->Cursor());
      About->FormPaint(sender);
    };
    About->Show();
    H.App.ProcessMessages();
  }

  TBitmap& Shown() { return About->Image3->Picture().Bitmap(); }
  void ClickFlag(TSpeedButton* flag) {
    const TPoint at = flag->WindowOffset();
    H.System->Push(THeadlessWindowSystem::Mouse(TEventKind::MouseDown, at.X + 5, at.Y + 5, About->Handle()));
    H.System->Push(THeadlessWindowSystem::Mouse(TEventKind::MouseUp, at.X + 5, at.Y + 5, About->Handle()));
    H.App.ProcessMessages();
  }
  // Draws `text` alone on a grey back buffer and returns what the visible image then shows.
  std::vector<TPixel> LineAlone(const std::string& text) {
    FillBitmap(About->Image2->Picture().Bitmap(), kGrey);
    About->LineText = text;
    About->DrawLine(15, 14, false, About->Image2);
    return Pixels(Shown());
  }
};

TEST_F(AboutBox, TheFirstPaintTypesEnglishUnderTheHourglassAndShowsTheFinalPicture) {
  EXPECT_EQ(About->Caption(), "About zzQuenbrel I");
  EXPECT_EQ(About->AppTitle, "zzQuenbrel I");
  EXPECT_EQ(About->AuthorLine.rfind("Author : ", 0), 0u);
  EXPECT_TRUE(About->SpeedButton1->Down());
  EXPECT_EQ(Screen->Cursor(), crDefault);
  // Every character typed was painted at once, while the hourglass showed.
  const std::size_t typed = About->AppTitle.size() + About->AuthorLine.size() + About->ProfessionLine.size();
  EXPECT_GT(std::count(CursorAtPaint.begin(), CursorAtPaint.end(), crHourGlass), static_cast<long>(typed));

  EXPECT_EQ(Pixels(Shown()), Pixels(About->Image2->Picture().Bitmap()));
  EXPECT_EQ(Shown().Width(), 335);
  EXPECT_EQ(Shown().Height(), 215);
  EXPECT_EQ(PixelToColor(Shown().PixelAt(0, 0)), kGrey);
  // The black text ends one pixel up and left of its typing place; the engraving lies below it.
  EXPECT_EQ(InkBounds(Shown(), kGrey).Left, InkBounds(About->Image1->Picture().Bitmap(), kGrey).Left - 3);
  const TPoint image = About->Image3->WindowOffset();
  EXPECT_EQ(image, (TPoint{9, 9}));
  EXPECT_EQ(H.System->PixelAt(About->Handle(), 9 + 20, 9 + 20), Shown().PixelAt(20, 20));
}

TEST_F(AboutBox, LaterPaintsLeaveTheVisibleImageAsItIs) {
  FillBitmap(Shown(), kMarker);
  const std::size_t paints = CursorAtPaint.size();
  TWsEvent expose = THeadlessWindowSystem::Of(TEventKind::Expose, About->Handle());
  expose.Area = About->ClientRect();
  H.System->Push(expose);
  H.App.ProcessMessages();
  EXPECT_GT(CursorAtPaint.size(), paints);
  EXPECT_EQ(InkBounds(Shown(), kMarker), TRect{});
}

TEST_F(AboutBox, AFlagClickPlaysTheAnimationAgainEvenForTheLanguageShown) {
  const std::vector<TPixel> english = Pixels(Shown());
  FillBitmap(Shown(), kMarker);
  ClickFlag(About->SpeedButton1);
  EXPECT_TRUE(About->SpeedButton1->Down());
  EXPECT_EQ(Pixels(Shown()), english);
  EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST_F(AboutBox, EachLanguageEndsInTheSamePictureWhateverCameBefore) {
  const std::vector<TPixel> english = Pixels(Shown());
  ClickFlag(About->SpeedButton2);
  EXPECT_EQ(About->Caption(), "Acerca de zzQuenbrel I");
  EXPECT_EQ(About->AuthorLine.rfind("Autor : ", 0), 0u);
  EXPECT_TRUE(About->SpeedButton2->Down());
  EXPECT_FALSE(About->SpeedButton1->Down());
  const std::vector<TPixel> galician = Pixels(Shown());
  EXPECT_NE(galician, english);
  ClickFlag(About->SpeedButton3);
  EXPECT_EQ(About->Caption(), "Acerca de zzQuenbrel I");
  const std::vector<TPixel> spanish = Pixels(Shown());
  EXPECT_NE(spanish, galician);
  ClickFlag(About->SpeedButton1);
  EXPECT_EQ(About->Caption(), "About zzQuenbrel I");
  EXPECT_EQ(Pixels(Shown()), english);
  ClickFlag(About->SpeedButton3);
  EXPECT_EQ(Pixels(Shown()), spanish);
  ClickFlag(About->SpeedButton2);
  EXPECT_EQ(Pixels(Shown()), galician);
  EXPECT_EQ(About->AppTitle, "zzQuenbrel I");
}

TEST_F(AboutBox, AnEmptyLineDrawsNothingAndStillPresentsTheBackBuffer) {
  FillBitmap(Shown(), kMarker);
  const std::vector<TPixel> shown = LineAlone("");
  EXPECT_EQ(shown, Pixels(About->Image2->Picture().Bitmap()));
  EXPECT_EQ(InkBounds(About->Image2->Picture().Bitmap(), kGrey), TRect{});
}

TEST_F(AboutBox, ALineDrawsItsFirstHundredCharactersOnly) {
  About->Image2->Canvas().Font.Height = -8;
  const std::string hundred(TAboutF::MaxLineLength, 'i');
  const std::vector<TPixel> drawn = LineAlone(hundred);
  EXPECT_GT(InkBounds(Shown(), kGrey).Width(), 100);
  EXPECT_EQ(LineAlone(hundred + "WWWWW"), drawn);
}

TEST_F(AboutBox, CharactersOfSeveralBytesCountAsOne) {
  About->Image2->Canvas().Font.Height = -8;
  const std::string ninetyNine(TAboutF::MaxLineLength - 1, 'i');
  EXPECT_NE(LineAlone(ninetyNine + "\xC3\xB1"), LineAlone(ninetyNine));
  EXPECT_EQ(LineAlone(ninetyNine + "\xC3\xB1W"), LineAlone(ninetyNine + "\xC3\xB1"));
}

}  // namespace
