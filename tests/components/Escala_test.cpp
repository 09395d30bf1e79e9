#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "components/Escala.h"
#include "components/VekImage.h"
#include "framework/base/NumberPicture.h"
#include "framework/graphics/Canvas.h"
#include "framework/ui/controls/Panel.h"
#include "support/BitmapPicture.h"
#include "support/HeadlessApp.h"

namespace {

const TColor kFaceColor = ColorToRGB(clBtnFace);

class Escala : public ::testing::Test {
 protected:
  THeadlessApp H;
  TEscala* E = new TEscala(&H.App);

  TBitmap& Surface() { return E->Image().Picture().Bitmap(); }
  TColor Pixel(int x, int y) { return PixelToColor(Surface().PixelAt(x, y)); }
  TSize Text(const std::string& s) {
    TBitmap scratch(1, 1);
    scratch.Canvas().Font = E->Font();
    return scratch.Canvas().TextExtent(s);
  }
  int LabelWidth() { return std::max(Text(Label(E->Maximum())).cx, Text(Label(E->Minimum())).cx); }
  int LabelHeight() { return std::max(Text(Label(E->Maximum())).cy, Text(Label(E->Minimum())).cy); }
  std::string Label(double v) { return FormatFloat(E->Format(), v); }

  struct TPlaced {
    int X, Y;
    double Value;
  };
  // Within `area` the surface must show exactly these labels on the background.
  void ExpectLabels(const TRect& area, unsigned align, const std::vector<TPlaced>& labels) {
    TBitmap expected(Surface().Width(), Surface().Height());
    TCanvas& canvas = expected.Canvas();
    canvas.Brush.Color = E->Color();
    canvas.FillRect({0, 0, expected.Width(), expected.Height()});
    canvas.Font = E->Font();
    canvas.TextAlign = align;
    for (const TPlaced& label : labels) canvas.TextOut(label.X, label.Y, Label(label.Value));
    int differences = 0;
    for (int y = area.Top; y < area.Bottom; ++y)
      for (int x = area.Left; x < area.Right; ++x) differences += Surface().PixelAt(x, y) != expected.PixelAt(x, y);
    EXPECT_EQ(differences, 0);
  }
  // Right of a vertical band, or below a horizontal one.
  TRect BesideBand(bool vertical) {
    const int edge = E->Margin() + E->BandWidth() + 1;
    return vertical ? TRect{edge, 0, Surface().Width(), Surface().Height()}
                    : TRect{0, edge, Surface().Width(), Surface().Height()};
  }
  TRect InkWithin(const TRect& area) { return InkBounds(Surface(), kFaceColor, area); }
  // The colour of the band's rows (vertical) from top to bottom.
  TColor BandRow(int row) { return Pixel(E->Margin() + 1, E->Margin() + row); }
  std::vector<TColor> Pixels() {
    std::vector<TColor> pixels;
    for (int y = 0; y < Surface().Height(); ++y)
      for (int x = 0; x < Surface().Width(); ++x) pixels.push_back(Pixel(x, y));
    return pixels;
  }
};

TEST_F(Escala, ByDefaultAVerticalBandRunsFromWhiteAtTheTopToBlackWithSixLabelsBesideIt) {
  const int tw = LabelWidth();
  EXPECT_EQ(E->Width(), 3 * 5 + 30 + tw + 5);
  EXPECT_EQ(E->Height(), 320);
  EXPECT_EQ(E->BevelInner(), TBevelCut::bvNone);
  EXPECT_EQ(E->Font().Name, "Times new roman");
  EXPECT_EQ(E->Font().Size(), 8);
  // The surface fills the interior inside the one bevel, and its bitmap matches it.
  EXPECT_EQ(E->Image().Parent()->BoundsRect(), Bounds(1, 1, E->Width() - 2, 318));
  EXPECT_EQ(E->Image().BoundsRect(), Bounds(0, 0, E->Width() - 2, 318));
  EXPECT_EQ(Surface().Width(), E->Width() - 2);

  EXPECT_EQ(Pixel(5, 5), clWhite);
  EXPECT_EQ(Pixel(34, 312), clBlack);
  EXPECT_EQ(Pixel(35, 5), kFaceColor);
  EXPECT_EQ(Pixel(4, 100), kFaceColor);
  EXPECT_EQ(Pixel(20, 313), kFaceColor);
  // Row r of the 308 shows Maximum - r * 100 / 307.
  EXPECT_EQ(BandRow(100), E->ValueToColor(100 - 100 * 100.0 / 307));

  const int ye = 5 + 308 - Text("0").cy;
  std::vector<TPlaced> labels;
  for (int i = 0; i <= 5; ++i) labels.push_back({tw + 41, 5 + i * (ye - 5) / 5, 100 - i * 20.0});
  ExpectLabels(BesideBand(true), TA_RIGHT | TA_TOP, labels);
}

TEST_F(Escala, ResizedByHandItFitsItselfAgainAndPaintsOnTheFittedSurface) {
  const int fitted = E->Width();
  E->SetBounds(10, 10, 48, 200);
  EXPECT_EQ(E->Width(), fitted);
  EXPECT_EQ(E->Image().Width(), fitted - 2);
  EXPECT_EQ(Surface().Width(), fitted - 2);
  const int ye = 5 + 188 - Text("0").cy;
  std::vector<TPlaced> labels;
  for (int i = 0; i <= 5; ++i) labels.push_back({LabelWidth() + 41, 5 + i * (ye - 5) / 5, 100 - i * 20.0});
  ExpectLabels(BesideBand(true), TA_RIGHT | TA_TOP, labels);
}

TEST_F(Escala, TwoColoursBlendAsTwoSeparatelyTruncatedQuotients) {
  E->SetGradColor1(RGB(200, 100, 51));
  E->SetGradColor2(RGB(10, 21, 255));
  E->SetMaxMin(510, 0);
  EXPECT_EQ(E->ValueToColor(0), RGB(10, 21, 255));
  EXPECT_EQ(E->ValueToColor(-7), RGB(10, 21, 255));
  EXPECT_EQ(E->ValueToColor(510), RGB(200, 100, 51));
  EXPECT_EQ(E->ValueToColor(1e9), RGB(200, 100, 51));
  EXPECT_EQ(E->ValueToColor(255), RGB(5 + 100, 10 + 50, 127 + 25));
  EXPECT_EQ(E->ValueToColor(254.5), E->ValueToColor(255));  // halves round away from zero
}

TEST_F(Escala, SystemColoursBlendAsTheColoursTheyName) {
  E->SetGradColor2(clBtnFace);
  EXPECT_EQ(E->ValueToColor(0), kFaceColor);
}

TEST_F(Escala, TheThreeColourRampHasFixedAnchorsAndJumpsBetween255And256) {
  E->SetGraduation(TEscalaGraduation::egThree);
  E->SetMaxMin(510, 0);
  EXPECT_EQ(E->ValueToColor(0), RGB(0, 0, 255));
  EXPECT_EQ(E->ValueToColor(1), RGB(0, 0, 255 - 185 / 255));
  EXPECT_EQ(E->ValueToColor(255), RGB(0, 150, 70));
  EXPECT_EQ(E->ValueToColor(256), RGB(70, 150, 0));
  EXPECT_EQ(E->ValueToColor(510), RGB(255, 0, 0));
  EXPECT_EQ(BandRow(0), RGB(255, 0, 0));
}

TEST_F(Escala, IntervalStepsCountFromZeroSoTheFirstStepMayLieBelowMinimum) {
  E->SetMaxMin(100, 5);
  E->SetInterval(10);
  EXPECT_EQ(E->Interval(), 10);
  for (double v : {5.0, 7.5, 9.99}) EXPECT_EQ(E->ValueToColor(v), clBlack);
  EXPECT_EQ(E->ValueToColor(10), E->ValueToColor(19.9));
  EXPECT_NE(E->ValueToColor(10), clBlack);
  EXPECT_EQ(E->ValueToColor(100), clWhite);
}

TEST_F(Escala, IntervalIsAcceptedBelowTheRangeAndResetWhenTheRangeNarrowsBelowIt) {
  for (double bad : {-1.0, 100.0, 150.0, std::nan("")}) {
    E->SetInterval(bad);
    EXPECT_EQ(E->Interval(), 0);
  }
  E->SetInterval(40);
  E->SetMinimum(50);
  E->SetMaximum(90);  // a range as wide as the step keeps it
  EXPECT_EQ(E->Interval(), 40);
  E->SetMaximum(89);
  EXPECT_EQ(E->Interval(), 0);
  E->SetInterval(20);
  E->SetMaxMin(70, 50);
  EXPECT_EQ(E->Interval(), 20);
  E->SetMaxMin(69, 50);
  EXPECT_EQ(E->Interval(), 0);
}

TEST_F(Escala, TinyIntervalsAndEmptyRangesGiveSoundColours) {
  E->SetInterval(5e-324);
  EXPECT_EQ(E->ValueToColor(50), E->ValueToColor(50.0000001));
  EXPECT_EQ(E->ValueToColor(50), RGB(127, 127, 127));
  E->SetMaximum(0);
  EXPECT_EQ(E->ValueToColor(0), clBlack);
  EXPECT_EQ(E->ValueToColor(3), clBlack);
  E->SetMaximum(-5);
  EXPECT_EQ(E->ValueToColor(-2), clBlack);
}

TEST_F(Escala, AnInvalidRangeIsStoredButPaintsNothingUntilItIsValidAgain) {
  E->SetMaxMin(10, 10);
  E->SetMaxMin(5, 10);
  EXPECT_EQ(E->Maximum(), 100);
  EXPECT_EQ(E->Minimum(), 0);
  E->SetMaximum(-1);
  EXPECT_EQ(E->Maximum(), -1);
  E->SetGradColor1(clRed);
  EXPECT_EQ(Pixel(5, 5), clWhite);  // the old picture stays
  E->SetMaximum(100);
  EXPECT_EQ(Pixel(5, 5), clRed);
  E->SetMaximum(std::nan(""));
  E->SetMinimum(-std::numeric_limits<double>::infinity());
  EXPECT_EQ(E->Maximum(), 100);
  EXPECT_EQ(E->Minimum(), 0);
}

TEST_F(Escala, TextIntervalTakesEveryValueAndANegativeOneHidesTheLabels) {
  E->SetTextInterval(0);
  const int tw = LabelWidth();
  const int ye = 5 + 308 - Text("0").cy;
  ExpectLabels(BesideBand(true), TA_RIGHT | TA_TOP, {{tw + 41, 5, 100}, {tw + 41, ye, 0}});
  E->SetTextInterval(-1);
  ExpectLabels(BesideBand(true), TA_RIGHT | TA_TOP, {});
  E->SetTextInterval(3);
  EXPECT_EQ(E->TextInterval(), 3);
}

TEST_F(Escala, AHugeLabelCountPaintsAtMostOneLabelAPixel) {
  E->SetTextInterval(INT_MAX);
  EXPECT_EQ(E->TextInterval(), INT_MAX);
  EXPECT_EQ(Pixel(5, 5), clWhite);
}

TEST_F(Escala, NegativeBandWidthsAndMarginsAreKeptAndPaintAsZero) {
  E->SetBandWidth(0);
  E->SetMargin(0);
  const int width = E->Width();
  EXPECT_EQ(width, LabelWidth() + 5);
  const std::vector<TColor> zero = Pixels();
  E->SetBandWidth(-1);
  E->SetMargin(-3);
  EXPECT_EQ(E->BandWidth(), -1);
  EXPECT_EQ(E->Margin(), -3);
  EXPECT_EQ(E->Width(), width);
  EXPECT_EQ(Pixels(), zero);
  E->SetBandWidth(INT_MIN);
  E->SetMargin(INT_MIN);
  E->DrawMarkVertical(50);
  EXPECT_EQ(E->Width(), width);
}

TEST_F(Escala, AutoSizeNeverGoesBeyondItsLimit) {
  E->SetMargin(TEscala::MaxAutoSize);
  E->SetBandWidth(TEscala::MaxAutoSize);
  EXPECT_EQ(E->Width(), TEscala::MaxAutoSize);
  E->SetMargin(TEscala::MaxAutoSize + 1);
  EXPECT_EQ(E->Margin(), TEscala::MaxAutoSize);
}

TEST_F(Escala, ABandOnePixelLongShowsMinimum) {
  E->SetHeight(2 + 11);  // 11 rows: 5 of margin above and below
  EXPECT_EQ(BandRow(0), clBlack);
  E->SetOrientation(TEscalaOrientation::eoHorizontal);
  E->SetAutoSize(false);
  E->SetBounds(0, 0, 2 + 11, 60);
  EXPECT_EQ(Pixel(5, 6), clBlack);
}

TEST_F(Escala, AHorizontalScaleHasMinimumLeftAndLabelsCentredBelow) {
  E->SetOrientation(TEscalaOrientation::eoHorizontal);
  E->SetBounds(0, 0, 302, 100);
  const int th = LabelHeight();
  EXPECT_EQ(E->Height(), 3 * 5 + 30 + th + 5);
  EXPECT_EQ(E->Width(), 302);
  EXPECT_EQ(Pixel(5, 5), clBlack);
  EXPECT_EQ(Pixel(294, 34), clWhite);
  EXPECT_EQ(Pixel(150, 35), kFaceColor);
  std::vector<TPlaced> labels;
  for (int i = 0; i <= 5; ++i) labels.push_back({5 + i * 290 / 5, 40, i * 20.0});
  ExpectLabels(BesideBand(false), TA_CENTER | TA_TOP, labels);
}

TEST_F(Escala, InverseLabelsGoAboveOrLeftOfTheBand) {
  E->SetPosition(TEscalaPosition::epInverse);
  const int tw = LabelWidth();
  EXPECT_EQ(Pixel(5 + tw + 5, 5), clWhite);
  EXPECT_EQ(Pixel(5 + tw + 4, 5), kFaceColor);
  EXPECT_EQ(Pixel(5 + tw + 5 + 29, 312), clBlack);
  const int ye = 5 + 308 - Text("0").cy;
  std::vector<TPlaced> labels;
  for (int i = 0; i <= 5; ++i) labels.push_back({tw + 6, 5 + i * (ye - 5) / 5, 100 - i * 20.0});
  ExpectLabels({0, 0, tw + 10, 318}, TA_RIGHT | TA_TOP, labels);
}

TEST_F(Escala, TheMarkerIsAThickBlackLineInTheMarginThatTheNextMarkerErases) {
  const TRect margin{0, 0, 5, 318};
  E->DrawMarkVertical(50);
  const int y = 318 - 5 - 154;  // half of the 308 rows up from the band's bottom
  // The two-pixel pen runs from column 1 to 3 and reaches one pixel right and down.
  EXPECT_EQ(InkWithin(margin), (TRect{1, y, 5, y + 2}));
  EXPECT_EQ(Pixel(1, y), clBlack);
  EXPECT_EQ(E->Image().Canvas().Pen.Width, 1);
  E->DrawMarkVertical(100);
  EXPECT_EQ(InkWithin(margin), (TRect{1, 5, 5, 7}));
  E->DrawMarkVertical(150);
  EXPECT_EQ(InkWithin(margin), TRect{});
}

TEST_F(Escala, AMarkerOnAnEmptyRangeSitsAtTheBottom) {
  E->SetMaximum(0);
  E->DrawMarkVertical(0);
  EXPECT_EQ(Pixel(1, 318 - 5), clBlack);
  E->DrawMarkVertical(1);
  EXPECT_EQ(Pixel(1, 318 - 5), kFaceColor);
}

TEST_F(Escala, AlignmentDocksTheScaleAndTopOrBottomTurnItHorizontal) {
  auto* parent = new TPanel(&H.App);
  parent->SetBounds(0, 0, 400, 300);
  parent->SetBevelOuter(TBevelCut::bvNone);
  E->SetParent(parent);
  E->SetAlignment(TEscalaAlignment::eaTop);
  EXPECT_EQ(E->Align(), TAlign::alTop);
  EXPECT_EQ(E->Orientation(), TEscalaOrientation::eoHorizontal);
  EXPECT_EQ(E->BoundsRect(), Bounds(0, 0, 400, 3 * 5 + 30 + LabelHeight() + 5));
  E->SetAlignment(TEscalaAlignment::eaCentered);
  EXPECT_EQ(E->Align(), TAlign::alNone);
  EXPECT_EQ(E->Left(), 0);
  EXPECT_EQ(E->Top(), (300 - E->Height()) / 2);
  E->SetAutoSize(false);
  E->SetBounds(0, 7, 50, 100);
  EXPECT_EQ(E->BoundsRect(), Bounds(175, 100, 50, 100));  // a resize centres it again
  E->SetAlignment(TEscalaAlignment::eaNone);
  E->SetBounds(0, 7, 50, 100);
  E->SetAlignment(TEscalaAlignment::eaHCentered);
  EXPECT_EQ(E->BoundsRect(), Bounds(175, 7, 50, 100));
}

TEST_F(Escala, ASurfaceUnderFivePixelsIsOnlyFilled) {
  E->SetAutoSize(false);
  E->SetBounds(0, 0, 6, 100);
  EXPECT_EQ(InkBounds(Surface(), kFaceColor), TRect{});
}

TEST_F(Escala, ThePaintingStepsCanBeCalledByName) {
  E->Image().Fill(clRed);
  E->PaintVertical();
  EXPECT_EQ(Pixel(0, 0), clRed) << "the background is Draw's";
  EXPECT_EQ(BandRow(0), clWhite);
  E->PaintHorizontal();
  EXPECT_EQ(Pixel(5, 6), clBlack) << "Minimum at the left";
  E->EscalaResize(E);
  EXPECT_EQ(Pixel(0, 0), kFaceColor);
  EXPECT_EQ(BandRow(0), clWhite);
}

TEST_F(Escala, DestroyedWithItsBarsOnItRaisesNothing) {
  E->SetScrollBars(true);
  int resizes = 0;
  E->OnResize = [&](TComponent*) { ++resizes; };
  delete E;
  EXPECT_EQ(resizes, 0);
}

}  // namespace
