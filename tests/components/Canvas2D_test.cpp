#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "PlotFixture.h"
#include "framework/base/NumberPicture.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

class Canvas2D : public TPlotFixture {
 protected:
  void SetUp() override {
    TPlotFixture::SetUp();
    ShowForm();
  }
  // A 120 x 120 surface with margins of 10: a plot area of 100 x 100 for 0 ... 10.
  void Hundred() {
    Size(120, 120, 10, 10);
    Plot->SetAxisXMarks(0);
    Plot->SetAxisYMarks(0);
  }
  // Draws `content` as the plot's content, and tells whether it changed the picture.
  bool Draws(const std::function<void()>& content) {
    Plot->OnDraw = nullptr;
    Plot->Draw();
    const std::vector<TPixel> empty = Pixels();
    Plot->OnDraw = [&](TComponent*) { content(); };
    Plot->Draw();
    Plot->OnDraw = nullptr;
    return Pixels() != empty;
  }
};

TEST_F(Canvas2D, DefaultsGiveA152SquareSurfaceFramedInsideMarginsFromTheEndLabels) {
  Plot->Draw();
  EXPECT_EQ(Plot->Image().BoundsRect(), (TRect{4, 4, 156, 156}));
  EXPECT_EQ(Surface().Width(), 152);
  TBitmap scratch(1, 1);
  TCanvas& measure = scratch.Canvas();
  measure.Font = Plot->AxisFont();
  const int mx = Plot->AxisXMargin(), my = Plot->AxisYMargin();
  EXPECT_EQ(mx, std::max(measure.TextWidth(FormatFloat(",0.00", 10)), measure.TextWidth(FormatFloat(",0.00", 0))) + 6);
  EXPECT_EQ(my, measure.TextHeight("0") + 6);
  EXPECT_EQ(Plot->ValToScrY(Plot->AxisYMin()), 152 - my);
  EXPECT_EQ(Plot->ValToScrY(Plot->AxisYMax()), my);
  EXPECT_EQ(Plot->ValToScrX(Plot->AxisXMin()), mx);
  EXPECT_EQ(Plot->ValToScrX(Plot->AxisXMax()), 152 - mx);
  EXPECT_EQ(At(0, 0), clBlack);
  EXPECT_EQ(At(mx, my), clWhite);
  EXPECT_EQ(At(152 - mx, 152 - my), clWhite);
  EXPECT_EQ(At(mx + 1, my + 1), clNavy);
  EXPECT_EQ(At(151 - mx, 151 - my), clNavy);
  EXPECT_EQ(Plot->DrawRectGet(), (TRect{mx + 1, my + 1, 151 - mx, 151 - my}));
  EXPECT_TRUE(Plot->Inside(mx + 1, my + 1));
  EXPECT_FALSE(Plot->Inside(mx, 80));
}

TEST_F(Canvas2D, EachAxisCarriesElevenLabelsFromZeroToTenOnBothSides) {
  Plot->Draw();
  const int w = 152, h = 152, mx = Plot->AxisXMargin(), my = Plot->AxisYMargin();
  TBitmap expected(w, h);
  TCanvas& c = expected.Canvas();
  c.Brush.Color = clBlack;
  c.FillRect({0, 0, w, h});
  c.Brush.Color = clNavy;
  c.FillRect({mx + 1, my + 1, w - mx, h - my});
  c.Pen.Color = clWhite;
  c.Brush.Style = TBrushStyle::bsClear;
  c.Rectangle(mx, my, w - mx + 1, h - my + 1);
  c.Font = Plot->AxisFont();
  c.BkMode = TBkMode::Transparent;
  for (int i = 0; i <= 10; ++i) {
    const std::string label = FormatFloat(",0.00", i);
    const int th = c.TextHeight(label);
    const int px = Plot->ValToScrX(i), py = Plot->ValToScrY(i);
    c.MoveTo(px, my - 2);
    c.LineTo(px, my);
    c.MoveTo(px, h - my + 1);
    c.LineTo(px, h - my + 3);
    c.TextAlign = TA_CENTER | TA_TOP;
    c.TextOut(px, my - 3 - th, label);
    c.TextOut(px, h - my + 4, label);
    c.MoveTo(mx - 2, py);
    c.LineTo(mx, py);
    c.MoveTo(w - mx + 1, py);
    c.LineTo(w - mx + 3, py);
    // The bottom label is lifted by two thirds of its height, the top one by a third.
    const int top = py - (i == 0 ? 2 * th / 3 : i == 10 ? th / 3 : th / 2);
    c.TextAlign = TA_RIGHT | TA_TOP;
    c.TextOut(mx - 3, top, label);
    c.TextAlign = TA_LEFT | TA_TOP;
    c.TextOut(w - mx + 4, top, label);
  }
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) ASSERT_EQ(Surface().PixelAt(x, y), expected.PixelAt(x, y)) << x << "," << y;
}

TEST_F(Canvas2D, ConversionsRoundHalvesAwayFromZeroAndComeBackToTheValue) {
  Hundred();
  EXPECT_EQ(Plot->ValToScrX(0.25), 13);
  EXPECT_EQ(Plot->ValToScrX(-0.25), 7);
  EXPECT_EQ(Plot->ValToScrY(0.25), 107);
  EXPECT_DOUBLE_EQ(Plot->ValToScrXD(0.25), 12.5);
  EXPECT_DOUBLE_EQ(Plot->ValToScrYD(0.25), 107.5);
  EXPECT_DOUBLE_EQ(Plot->ScrToValX(Plot->ValToScrX(3.7)), 3.7);
  EXPECT_DOUBLE_EQ(Plot->ScrToValY(Plot->ValToScrY(6.2)), 6.2);
  EXPECT_EQ(Plot->ScrToValXS(60), FormatFloat(",0.00", 5));
  Plot->SetFormat("0.0' u'");
  EXPECT_EQ(Plot->ScrToValYS(60), FormatFloat("0.0' u'", 5));
  EXPECT_EQ(Plot->ClientWidthGet(), 100);
  EXPECT_TRUE(Plot->PointCheckIn(10, 0));
  EXPECT_FALSE(Plot->PointCheckIn(std::nextafter(10.0, 11.0), 0));
}

TEST_F(Canvas2D, LinesAreClippedAtTheFrameSkippedWhenWhollyOutsideAndRefusedWhenUnsafe) {
  Hundred();
  const int row = Plot->ValToScrY(5);
  EXPECT_TRUE(Draws([&] { Plot->Line(-1, 5, 11, 5); }));
  EXPECT_EQ(At(11, row), clWhite);
  EXPECT_EQ(At(109, row), clWhite);
  EXPECT_EQ(At(10, row), clWhite) << "the frame";
  EXPECT_EQ(At(9, row), clBlack) << "nothing in the margin";
  EXPECT_FALSE(Plot->Overflow());

  EXPECT_FALSE(Draws([&] { Plot->Line(-5, 5, -1, 5); }));
  EXPECT_FALSE(Plot->Overflow());
  // Ten pixels a unit: 818 lies at pixel 8190, still safe; 820 at 8210 is not.
  EXPECT_TRUE(Draws([&] { Plot->Line(0, 5, 818, 5); }));
  EXPECT_FALSE(Plot->Overflow());
  EXPECT_FALSE(Draws([&] { Plot->Line(0, 5, 820, 5); }));
  EXPECT_TRUE(Plot->Overflow());
  // Both ends safe, but 8192 pixels apart.
  EXPECT_FALSE(Draws([&] { Plot->Line(-401, 5, 418.2, 5); }));
  EXPECT_TRUE(Plot->Overflow());
}

TEST_F(Canvas2D, PointsAreOnePixelOrADiscAndOnlyInsideTheRange) {
  Hundred();
  Draws([&] { Plot->Point(5, 5, 0); });
  EXPECT_EQ(At(60, 60), clWhite);
  EXPECT_EQ(At(61, 60), clNavy);
  Draws([&] {
    Plot->Canvas().Brush.Color = clRed;
    Plot->Point(5, 5, 2);
  });
  int wide = 0;
  for (int x = 50; x < 70; ++x) wide += At(x, 60) != clNavy;
  EXPECT_EQ(wide, 5);
  EXPECT_EQ(At(60, 60), clRed);
  // On the frame line a disc shows its inner half; just beyond the range nothing is drawn.
  EXPECT_TRUE(Draws([&] { Plot->Point(10, 5, 2); }));
  EXPECT_FALSE(Draws([&] { Plot->Point(std::nextafter(10.0, 11.0), 5, 2); }));
}

TEST_F(Canvas2D, TrianglesFillAndTextStandsBesideItsPoint) {
  Hundred();
  Draws([&] {
    Plot->Canvas().Brush.Color = clRed;
    Plot->Triangle(1, 1, 9, 1, 5, 9);
  });
  EXPECT_EQ(At(60, 60), clRed);
  EXPECT_FALSE(Plot->Overflow());
  Draws([&] { Plot->TextOutA(5, 5, 4, -20, "W"); });
  TRect ink{120, 120, 0, 0};
  for (int y = 11; y < 110; ++y)
    for (int x = 11; x < 110; ++x)
      if (At(x, y) == clWhite)
        ink = {std::min(ink.Left, x), std::min(ink.Top, y), std::max(ink.Right, x + 1), std::max(ink.Bottom, y + 1)};
  EXPECT_GE(ink.Left, 64);
  EXPECT_GE(ink.Top, 40);
  EXPECT_LT(ink.Bottom, 60);
}

TEST_F(Canvas2D, ContentIsClippedToTheInsideOfTheFrame) {
  Hundred();
  Draws([&] {
    TCanvas& c = Plot->Canvas();
    c.Brush.Color = clRed;
    c.FillRect({0, 0, 120, 120});
  });
  EXPECT_EQ(At(11, 11), clRed);
  EXPECT_EQ(At(109, 109), clRed);
  EXPECT_EQ(At(10, 50), clWhite);
  EXPECT_EQ(At(110, 50), clWhite);
  EXPECT_EQ(At(5, 5), clBlack);
}

TEST_F(Canvas2D, WithoutAxesTheWholeSurfaceIsThePlotAndNothingIsClipped) {
  Hundred();
  Plot->SetAxisShow(false);
  EXPECT_EQ(Pixels(), std::vector<TPixel>(120 * 120, ColorToPixel(clNavy)));
  EXPECT_EQ(Plot->ValToScrX(0), 0);
  EXPECT_EQ(Plot->ValToScrY(0), 120);
  EXPECT_EQ(Plot->DrawRectGet(), (TRect{0, 0, 119, 119}));
  EXPECT_TRUE(Plot->Inside(120, 0));
  EXPECT_TRUE(Draws([&] {
    EXPECT_EQ(Plot->Canvas().Pen.Color, clNavy) << "the pen starts in the plot area's colour";
    Plot->Canvas().SetPixel(0, 0, clRed);
  }));
}

TEST_F(Canvas2D, AnUnchangedFormatNeitherRedrawsNorTellsAndAChangedOneDoesBoth) {
  Hundred();
  std::vector<std::string> log;
  Plot->OnDraw = [&](TComponent*) { log.push_back("draw"); };
  Plot->OnChangeFormat = [&](TComponent* sender) { log.push_back(sender == Plot ? "changed" : "?"); };
  Plot->SetFormat(",0.00");
  EXPECT_TRUE(log.empty());
  Plot->SetFormat("0.0");
  EXPECT_EQ(log, (std::vector<std::string>{"draw", "changed"}));
}

TEST_F(Canvas2D, IsotropicAdjustmentGivesOneWorldUnitTheSameLengthOnBothAxes) {
  Size(320, 220, 10, 10);
  Plot->AxisXAdjustToY();
  EXPECT_DOUBLE_EQ(Plot->AxisXMax(), 15);
  Plot->SetAxisXMax(30);
  Plot->AxisYAdjustToX();
  EXPECT_DOUBLE_EQ(Plot->AxisYMax(), 20);
}

TEST_F(Canvas2D, MarginsSetByHandMustLeaveAPlotButRedrawAnyway) {
  Hundred();
  int draws = 0;
  Plot->OnDraw = [&](TComponent*) { ++draws; };
  Plot->SetAxisXMargin(40);  // 120 / 2 - 20: too wide
  EXPECT_EQ(Plot->AxisXMargin(), 10);
  EXPECT_EQ(draws, 1);
  Plot->SetAxisXMargin(39);
  EXPECT_EQ(Plot->AxisXMargin(), 39);
  Plot->SetAxisXMargin(39);
  EXPECT_EQ(draws, 2);
  // A negative margin puts the frame outside the surface: all of it is plot area.
  Plot->SetAxisXMargin(-5);
  EXPECT_EQ(Plot->AxisXMargin(), -5);
  EXPECT_EQ(Plot->ValToScrX(0), -5);
  EXPECT_EQ(Plot->ValToScrX(10), 125);
  EXPECT_EQ(At(0, 60), clNavy);
  EXPECT_EQ(At(119, 60), clNavy);
  Plot->SetAxisXMargin(INT_MIN);
  Plot->OnDraw = [&](TComponent*) { Plot->Line(0, 5, 10, 5); };
  Plot->Draw();
  EXPECT_EQ(Plot->AxisXMargin(), INT_MIN);
  EXPECT_TRUE(Plot->Overflow());
}

TEST_F(Canvas2D, PropertiesKeepTheirRules) {
  TFont font;
  font.Color = clYellow;
  Plot->SetAxisFont(font);
  EXPECT_EQ(Plot->AxisColor(), clYellow);
  Plot->SetAxisColor(clLime);
  EXPECT_EQ(Plot->AxisFont().Color, clLime);
  for (double factor : {0.0, 1.0, -0.5, kNaN}) Plot->SetZoomFactor(factor);
  EXPECT_EQ(Plot->ZoomFactor(), 0.5);
  Plot->SetZoomSteps(0);
  EXPECT_EQ(Plot->ZoomSteps(), 5);
  Plot->SetZoomSteps(3);
  EXPECT_EQ(Plot->ZoomSteps(), 3);
}

TEST_F(Canvas2D, RangesThatMapNothingNeverDivideAndDrawNothing) {
  Hundred();
  const std::vector<std::pair<double, double>> spans{{5, 5}, {kNaN, 10}, {0, kInf}, {-1e308, 1e308}};
  for (const auto& [min, max] : spans) {
    Plot->SetAxisXMin(min);
    Plot->SetAxisXMax(max);
    const bool maps = min == -1e308;
    EXPECT_EQ(Draws([&] {
                Plot->Line(0, 5, 10, 5);
                Plot->Point(5, 5, 2);
                Plot->Triangle(0, 0, 5, 9, 9, 0);
              }),
              maps)
        << min << " " << max;
    EXPECT_FALSE(Plot->Overflow());
    if (maps) continue;
    const double back = Plot->ScrToValX(60);
    EXPECT_TRUE(back == min || (std::isnan(back) && std::isnan(min))) << back;
    Plot->AxisYAdjustToX();
    EXPECT_EQ(Plot->AxisYMax(), 10);
  }
}

TEST_F(Canvas2D, AMinimumAboveItsMaximumMirrorsTheAxis) {
  Hundred();
  Plot->SetAxisXMin(10);
  Plot->SetAxisXMax(0);
  EXPECT_EQ(Plot->ValToScrX(10), 10);
  EXPECT_EQ(Plot->ValToScrX(2.5), 85);
  EXPECT_EQ(Plot->ValToScrX(0), 110);
  EXPECT_DOUBLE_EQ(Plot->ScrToValX(85), 2.5);
  EXPECT_TRUE(Plot->PointCheckIn(2.5, 5));
  EXPECT_FALSE(Plot->PointCheckIn(-0.1, 5));
  Draws([&] {
    Plot->Line(4, 5, 1, 5);
    Plot->Point(2.5, 8, 0);
    Plot->Line(-5, 2, -1, 2);  // beyond the 0 end, on the right: skipped
  });
  EXPECT_EQ(At(70, 60), clWhite);
  EXPECT_EQ(At(99, 60), clWhite);
  EXPECT_EQ(At(69, 60), clNavy);
  EXPECT_EQ(At(85, 30), clWhite);
  EXPECT_EQ(At(109, 90), clNavy);
  EXPECT_FALSE(Plot->Overflow());
}

TEST_F(Canvas2D, APlotAreaWithoutPixelsDrawsAndConvertsNothing) {
  Plot->SetBounds(kLeft, kTop, 8, 8);  // a surface of 0 x 0, margins from the labels
  Plot->SetAxisXMarks(INT_MAX);
  EXPECT_LE(Plot->ClientWidthGet(), 0);
  Plot->OnDraw = [&](TComponent*) {
    Plot->Line(0, 0, 10, 10);
    Plot->Point(5, 5, 3);
    Plot->TextOutA(5, 5, 0, 0, "x");
  };
  Plot->Draw();
  EXPECT_FALSE(Plot->Overflow());
  EXPECT_EQ(Plot->ScrToValX(3), 0);
  EXPECT_EQ(Plot->ScrToValY(3), 0);
  const double xMax = Plot->AxisXMax();
  Plot->AxisXAdjustToY();
  EXPECT_EQ(Plot->AxisXMax(), xMax);
}

TEST_F(Canvas2D, DataThatIsNoNumberIsSkippedHugeLinesOverflowAndHugePointsAreClipped) {
  Hundred();
  EXPECT_FALSE(Draws([&] {
    Plot->Line(kNaN, 5, 5, 5);
    Plot->Line(5, 5, kInf, 5);
    Plot->Triangle(1, 1, kNaN, 1, 5, 9);
    Plot->Point(kNaN, 5, 2);
    Plot->TextOutA(5, kNaN, 0, 0, "x");
  }));
  EXPECT_FALSE(Plot->Overflow());
  for (const auto& unsafe : std::vector<std::function<void()>>{
           [&] { Plot->Line(5, 5, 1e300, 5); },
           [&] { Plot->Triangle(1, 1, 1e300, 1, 5, 9); },
       }) {
    EXPECT_FALSE(Draws(unsafe));
    EXPECT_TRUE(Plot->Overflow());
  }
  // Points and text are drawn wherever they reach; the frame clips them, and nothing overflows.
  EXPECT_FALSE(Draws([&] {
    Plot->TextOutA(5, 5, INT_MAX, 0, "x");
    Plot->TextOutA(5, 5, 0, -9000, "x");
  }));
  EXPECT_FALSE(Plot->Overflow());
  Draws([&] {
    Plot->Canvas().Brush.Color = clRed;
    Plot->Point(5, 5, INT_MAX);
  });
  EXPECT_EQ(At(11, 11), clRed);
  EXPECT_EQ(At(109, 109), clRed);
  EXPECT_EQ(At(5, 5), clBlack);
  EXPECT_FALSE(Plot->Overflow());
}

TEST_F(Canvas2D, AHugeMarkCountDrawsAtMostOneMarkPerPixel) {
  Hundred();
  Plot->SetAxisXMarks(INT_MAX);
  Plot->SetAxisYMarks(INT_MAX);
  // Every pixel of the top and left edges got its tick.
  for (int x = 10; x <= 110; ++x) EXPECT_EQ(At(x, 8), clWhite) << x;
  for (int y = 10; y <= 110; ++y) EXPECT_EQ(At(8, y), clWhite) << y;
}

TEST_F(Canvas2D, MouseEventsComeFromTheSurfaceWithThePlotAsSender) {
  Hundred();
  std::vector<std::string> log;
  auto note = [&](const char* what, TComponent* sender, int x, int y) {
    log.push_back(std::string(what) + (sender == Plot ? " plot " : " ? ") + std::to_string(x) + "," +
                  std::to_string(y));
  };
  Plot->OnMouseDown = [&](TComponent* s, TMouseButton, TShiftState, int x, int y) { note("down", s, x, y); };
  Plot->OnMouseMove = [&](TComponent* s, TShiftState, int x, int y) { note("move", s, x, y); };
  Plot->OnMouseUp = [&](TComponent* s, TMouseButton, TShiftState, int x, int y) { note("up", s, x, y); };
  Plot->OnDblClick = [&](TComponent* s) { note("double", s, 0, 0); };
  MoveOn(30, 40);
  ClickOn(31, 41);
  MoveTo(kLeft + 1, kTop + 1);  // on the bevel
  PressAt(kLeft + 1, kTop + 1);
  Plot->Image().OnDblClick(&Plot->Image());
  EXPECT_EQ(log, (std::vector<std::string>{"move plot 30,40", "down plot 31,41", "up plot 31,41", "double plot 0,0"}));
}

}  // namespace
