#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "PlotFixture.h"
#include "framework/base/Exceptions.h"
#include "framework/ui/core/CursorResources.h"
#include "framework/ui/core/Screen.h"

namespace {

// A 120 x 120 surface with margins of 10 shows 0 ... 10 on both axes at ten pixels a unit.
class Canvas2DZoom : public TPlotFixture {
 protected:
  void SetUp() override {
    TPlotFixture::SetUp();
    ShowForm();
    Size(120, 120, 10, 10);
  }
  // Logs each frame as "time: x range, y range", the time counted from now.
  void LogFrames() {
    const std::int64_t start = H.System->NowMs();
    Plot->OnDraw = [this, start](TComponent*) {
      char line[96];
      std::snprintf(line, sizeof line, "%lld: %g..%g %g..%g", static_cast<long long>(H.System->NowMs() - start),
                    Plot->AxisXMin(), Plot->AxisXMax(), Plot->AxisYMin(), Plot->AxisYMax());
      Frames.push_back(line);
    };
  }
  std::vector<std::string> Frames;
};

constexpr TColor kInvertedNavy = 0x7FFFFF;

using Strings = std::vector<std::string>;
using Doubles = std::vector<double>;

TEST_F(Canvas2DZoom, ARangeChangeShowsItsFramesOnePerIntervalAndEndsExactlyOnTheTarget) {
  LogFrames();
  Plot->AxisChange(2.5, 0, 7.5, 10, 5);
  EXPECT_EQ(Frames, (Strings{"0: 0.5..9.5 0..10", "20: 1..9 0..10", "40: 1.5..8.5 0..10", "60: 2..8 0..10",
                             "80: 2.5..7.5 0..10"}));
  EXPECT_EQ(Range(), (Doubles{2.5, 0, 7.5, 10}));
  EXPECT_FALSE(Plot->Busy());

  Frames.clear();
  Plot->AxisChange(1, 1, 2, 2, 1);
  EXPECT_EQ(Frames.size(), 1u);
  EXPECT_EQ(Range(), (Doubles{1, 1, 2, 2}));
  Plot->AxisChange(5, 5, 6, 6, 0);
  EXPECT_EQ(Frames.size(), 1u);
  EXPECT_EQ(Range(), (Doubles{1, 1, 2, 2}));
}

TEST_F(Canvas2DZoom, InputThatComesWithTheLastFrameIsHandledOnceTheRangeStandsStill) {
  int frames = 0;
  Plot->OnDraw = [&](TComponent*) {
    if (++frames == 5) H.System->Push(Headless::Wheel(-1, FormX(60), FormY(60), Form->Handle()));
  };
  Plot->AxisChange(2.5, 2.5, 7.5, 7.5, 5);
  H.App.ProcessMessages();
  EXPECT_EQ(Range(), (Doubles{0, 0, 10, 10}));
}

TEST_F(Canvas2DZoom, SpansFrom1eMinus20To1e20AreAcceptedAndBeyondThemTheBeepChangesNothing) {
  Plot->AxisChange(0, 0, 1e20, 1e-20, 1);
  EXPECT_EQ(Range(), (Doubles{0, 0, 1e20, 1e-20}));
  EXPECT_EQ(H.System->Beeps, 0);
  for (const Doubles& refused :
       {Doubles{0, 0, std::nextafter(1e20, 1e21), 1}, Doubles{0, 0, 1, std::nextafter(1e-20, 0.0)}, Doubles{5, 0, 4, 1},
        Doubles{0, 0, NAN, 1}, Doubles{-INFINITY, 0, INFINITY, 1}}) {
    Plot->AxisChange(refused[0], refused[1], refused[2], refused[3], 5);
    EXPECT_EQ(Range(), (Doubles{0, 0, 1e20, 1e-20}));
  }
  EXPECT_EQ(H.System->Beeps, 5);
}

TEST_F(Canvas2DZoom, AnyButtonButTheLeftStopsTheAnimationAfterItsFrameAndKeepsThatRange) {
  LogFrames();
  H.System->At(H.System->NowMs() + 30,
               [&] { H.System->Push(Button(TEventKind::MouseDown, 60, 60, TMouseButton::mbRight)); });
  Plot->AxisChange(2.5, 0, 7.5, 10, 5);
  EXPECT_EQ(Frames, (Strings{"0: 0.5..9.5 0..10", "20: 1..9 0..10"}));
  EXPECT_EQ(Range(), (Doubles{1, 0, 9, 10}));
  EXPECT_FALSE(Plot->Busy());
}

// Ten pixels a unit at 0 ... 10: a line 420 units long fits (4200 pixels) until the range
// is narrower than 420 * 100 / 8191 = 5.13 units.
TEST_F(Canvas2DZoom, AStepIntoAnOverflowIsUndoneUnlessItIsTheLastAndAStepOutOfOneRuns) {
  LogFrames();
  const TNotifyEvent log = Plot->OnDraw;
  Plot->OnDraw = [&, log](TComponent* sender) {
    Plot->Line(0, 5, 420, 5);
    log(sender);
  };
  // Spans of 8.6, 7.2, 5.8 and 4.4: the fourth frame overflows.
  Plot->AxisChange(3.5, 0, 6.5, 10, 5);
  EXPECT_EQ(Frames, (Strings{"0: 0.7..9.3 0..10", "20: 1.4..8.6 0..10", "40: 2.1..7.9 0..10", "60: 2.8..7.2 0..10",
                             "60: 0..10 0..10"}));
  EXPECT_FALSE(Plot->Overflow());
  // Only the final frame overflows: the view lands on the target all the same.
  Frames.clear();
  Plot->AxisChange(2.5, 0, 7.5, 10, 5);
  EXPECT_EQ(Frames.size(), 5u);
  EXPECT_EQ(Range(), (Doubles{2.5, 0, 7.5, 10}));
  EXPECT_TRUE(Plot->Overflow());
  Plot->AxisChange(0, 0, 10, 10, 1);

  // From a picture that overflows already, a zoom out runs through frames that still do.
  Plot->SetAxisXMin(3.75);
  Plot->SetAxisXMax(6.25);
  ASSERT_TRUE(Plot->Overflow());
  Frames.clear();
  Plot->AxisChange(0, 0, 10, 10, 5);
  EXPECT_EQ(Frames.size(), 5u);
  EXPECT_EQ(Range(), (Doubles{0, 0, 10, 10}));
  EXPECT_FALSE(Plot->Overflow());
}

TEST_F(Canvas2DZoom, AFailingOwnersDrawingLeavesTheCanvasReadyForTheNextClick) {
  Strings failures;
  H.App.OnException = [&](const Exception& e) { failures.push_back(e.Message()); };
  bool fail = true;
  Plot->OnDraw = [&](TComponent*) {
    if (std::exchange(fail, false)) throw Exception("cannot draw");
  };
  Plot->ZoomModeSet(zmZoomMore);
  ClickOn(60, 60);
  EXPECT_EQ(failures, Strings{"cannot draw"});
  EXPECT_FALSE(Plot->Busy());
  EXPECT_EQ(Plot->ZoomMode(), zmZoomMore);
  EXPECT_EQ(Plot->Image().Cursor(), crZoomMore);
  Plot->AxisChange(0, 0, 10, 10, 1);
  ClickOn(60, 60);
  EXPECT_EQ(Range(), (Doubles{2.5, 2.5, 7.5, 7.5}));
}

TEST_F(Canvas2DZoom, TheHourglassShowsWhileTheRangeMoves) {
  std::vector<TCursor> during;
  Plot->OnDraw = [&](TComponent*) { during.push_back(Plot->Image().Cursor()); };
  Plot->ZoomModeSet(zmZoomLess);
  ClickOn(60, 60);
  EXPECT_EQ(during, std::vector<TCursor>(5, crHourGlass));
  EXPECT_EQ(Plot->Image().Cursor(), crZoomLess);
}

TEST_F(Canvas2DZoom, ClicksAtTheCentreHalveOrDoubleBothRangesAroundIt) {
  Plot->ZoomModeSet(zmZoomMore);
  ClickOn(60, 60);
  EXPECT_EQ(Range(), (Doubles{2.5, 2.5, 7.5, 7.5}));
  EXPECT_EQ(Plot->ZoomMode(), zmZoomMore);
  Plot->ZoomModeSet(zmZoomLess);
  ClickOn(60, 60);
  ClickOn(60, 60);
  EXPECT_EQ(Range(), (Doubles{-5, -5, 15, 15}));
}

TEST_F(Canvas2DZoom, TheZoomBoxFollowsThePointerAndZoomsOnWhatItOutlines) {
  Plot->ZoomModeSet(zmZoomMore);
  MoveOn(30, 80);
  ClickOn(30, 80);
  EXPECT_EQ(Range(), (Doubles{-0.5, 0.5, 4.5, 5.5}));
}

TEST_F(Canvas2DZoom, ADragInPanModeMovesTheContentWithThePointer) {
  Plot->ZoomModeSet(zmPan);
  PressOn(50, 50);
  EXPECT_TRUE(Plot->Panning());
  MoveOn(55, 45);
  MoveOn(60, 40);
  ReleaseOn(60, 40);
  EXPECT_EQ(Range(), (Doubles{-1, -1, 9, 9}));
  EXPECT_EQ(Plot->ZoomMode(), zmPan);
  EXPECT_FALSE(Plot->Panning());
}

TEST_F(Canvas2DZoom, TheZoomBoxIsDrawnOnceInvertingEachOfItsPixelsOnceAndErasedOnLeaving) {
  Plot->Draw();
  const std::vector<TPixel> fresh = Pixels();
  Plot->ZoomModeSet(zmZoomMore);
  Plot->ZoomModeSet(zmZoomMore);
  // Half sizes of 25 around (60, 60): every corner and side is inverted, none restored.
  for (const TPoint p : {TPoint{35, 35}, TPoint{85, 35}, TPoint{35, 85}, TPoint{85, 85}, TPoint{60, 35}, TPoint{35, 60},
                         TPoint{85, 60}, TPoint{60, 85}})
    EXPECT_EQ(At(p.X, p.Y), kInvertedNavy) << p.X << "," << p.Y;
  Plot->ZoomModeSet(zmNone);
  EXPECT_EQ(Pixels(), fresh);
}

TEST_F(Canvas2DZoom, LeavingPanModeEndsADragAndErasesItsLine) {
  Plot->Draw();
  const std::vector<TPixel> fresh = Pixels();
  Plot->ZoomModeSet(zmPan);
  PressOn(50, 50);
  MoveOn(70, 60);
  EXPECT_NE(Pixels(), fresh);
  ClickOn(70, 60, TMouseButton::mbRight);
  EXPECT_EQ(Plot->ZoomMode(), zmNone);
  EXPECT_FALSE(Plot->Panning());
  EXPECT_EQ(Pixels(), fresh);
  ReleaseOn(70, 60);
  EXPECT_EQ(Range(), (Doubles{0, 0, 10, 10}));
}

TEST_F(Canvas2DZoom, AModeOfNoMeaningIsStoredKeepsTheCursorAndClicksDoNothing) {
  Plot->Draw();
  const std::vector<TPixel> fresh = Pixels();
  Plot->ZoomModeSet(zmZoomMore);
  Plot->ZoomModeSet(7);
  EXPECT_EQ(Plot->ZoomMode(), 7);
  EXPECT_EQ(Plot->Image().Cursor(), crZoomMore);
  EXPECT_EQ(Pixels(), fresh) << "the zoom box went with its mode";
  ClickOn(60, 60);
  EXPECT_EQ(Range(), (Doubles{0, 0, 10, 10}));
  Plot->ZoomModeSet(zmNone);
  EXPECT_EQ(Plot->Image().Cursor(), crDefault);
}

TEST_F(Canvas2DZoom, APressIgnoredDuringAnAnimationIsNotFollowedByAPanOnRelease) {
  Plot->ZoomModeSet(zmPan);
  PressOn(50, 50);
  MoveOn(60, 50);
  H.System->At(H.System->NowMs() + 10,
               [&] { H.System->Push(Button(TEventKind::MouseDown, 30, 30, TMouseButton::mbLeft)); });
  ReleaseOn(60, 50);
  EXPECT_EQ(Range(), (Doubles{-1, 0, 9, 10}));
  ReleaseOn(40, 30);
  EXPECT_EQ(Range(), (Doubles{-1, 0, 9, 10}));
}

TEST_F(Canvas2DZoom, ZoomAllJumpsHomeAtOnceWithoutValidation) {
  Plot->AxisChange(2, 2, 3, 3, 1);
  Plot->ZoomAllXMin = 10;
  Plot->ZoomAllXMax = 0;
  LogFrames();
  Plot->ZoomModeSet(zmZoomMore);
  Plot->ZoomAll();
  EXPECT_EQ(Frames.size(), 1u);
  EXPECT_EQ(Range(), (Doubles{10, 0, 0, 10}));
  EXPECT_EQ(Plot->ZoomMode(), zmNone);
}

TEST_F(Canvas2DZoom, ZoomAllDuringAnAnimationEndsItAtHomeAndOutOfTheMode) {
  LogFrames();
  H.System->At(H.System->NowMs() + 30, [&] { Plot->ZoomAll(); });
  Plot->AxisChange(2.5, 0, 7.5, 10, 5);
  EXPECT_EQ(Frames, (Strings{"0: 0.5..9.5 0..10", "20: 1..9 0..10", "30: 0..10 0..10"}));
  EXPECT_EQ(Range(), (Doubles{0, 0, 10, 10}));
  EXPECT_FALSE(Plot->Busy());
  // A zoom by a click comes back to its mode afterwards, unless home was asked for meanwhile.
  Plot->ZoomModeSet(zmZoomMore);
  H.System->At(H.System->NowMs() + 30, [&] { Plot->ZoomAll(); });
  ClickOn(60, 60);
  EXPECT_EQ(Range(), (Doubles{0, 0, 10, 10}));
  EXPECT_EQ(Plot->ZoomMode(), zmNone);
  // The zoom box went with the mode: nothing inverted is left on the plot.
  for (int x = 0; x < 120; ++x) EXPECT_NE(At(x, 35), kInvertedNavy) << x;
}

TEST_F(Canvas2DZoom, EachModeShowsItsCursorLoadedOncePerProgram) {
  const auto shown = [&] { return H.System->Window(Form->Handle())->Cursor; };
  for (const auto& [mode, cursor] : {std::pair{zmPan, crPanning}, std::pair{zmZoomMore, crZoomMore},
                                     std::pair{zmZoomLess, crZoomLess}, std::pair{zmNone, crDefault}}) {
    Plot->ZoomModeSet(mode);
    MoveOn(40 + mode, 40);
    EXPECT_EQ(shown(), cursor);
  }
  EXPECT_EQ(H.System->CursorImages.at(crPanning).Rows, FindCursorResource("PANNING")->Rows);
  EXPECT_EQ(H.System->CursorImages.at(crZoomLess).Rows, FindCursorResource("ZOOMLESS")->Rows);
  new TCanvas2D(Form);
  EXPECT_EQ(H.System->CursorDefinitions, 3);
}

TEST_F(Canvas2DZoom, AWheelNotchZoomsAroundThePointAndOneBackRestoresTheRange) {
  TurnWheelOn(30, 80, 1);  // over the point (2, 3)
  EXPECT_EQ(Range(), (Doubles{1, 1.5, 6, 6.5}));
  TurnWheelOn(30, 80, -1);
  EXPECT_EQ(Range(), (Doubles{0, 0, 10, 10}));
  TurnWheelOn(60, 60, -2);
  EXPECT_EQ(Range(), (Doubles{-15, -15, 25, 25}));
}

TEST_F(Canvas2DZoom, TurnsInARowAtOneSpotZoomAboutOnePointThoughTheMarginsFollowTheLabels) {
  Plot->SetAxisXMarginAuto(true);
  Plot->SetAxisXMin(0.123);
  const double margin = Plot->AxisXMargin();
  TurnWheelOn(37, 80, 1);
  TurnWheelOn(37, 80, 1);
  ASSERT_NE(Plot->AxisXMargin(), margin);
  TurnWheelOn(37, 80, -2);
  EXPECT_DOUBLE_EQ(Plot->AxisXMin(), 0.123);
  EXPECT_DOUBLE_EQ(Plot->AxisXMax(), 10);
}

TEST_F(Canvas2DZoom, TheWheelStopsAtTheLimitsWaitsForAnimationsAndYieldsToTheOwner) {
  Plot->AxisChange(0, 0, 1.5e-20, 1.5e-20, 1);
  TurnWheelOn(60, 60, 1);
  EXPECT_EQ(H.System->Beeps, 1);
  EXPECT_EQ(Range(), (Doubles{0, 0, 1.5e-20, 1.5e-20}));

  Plot->AxisChange(0, 0, 10, 10, 1);
  H.System->At(H.System->NowMs() + 10,
               [&] { H.System->Push(Headless::Wheel(1, FormX(60), FormY(60), Form->Handle())); });
  Plot->AxisChange(0, 0, 20, 20, 5);
  EXPECT_EQ(Range(), (Doubles{0, 0, 20, 20}));

  int turns = 0;
  Plot->OnMouseWheel = [&](TComponent* sender, TShiftState, int delta, TPoint at, bool& handled) {
    turns += sender == Plot && delta == WHEEL_DELTA && at == TPoint{60, 60};
    handled = true;
  };
  TurnWheelOn(60, 60, 1);
  EXPECT_EQ(turns, 1);
  EXPECT_EQ(Range(), (Doubles{0, 0, 20, 20}));
}

TEST_F(Canvas2DZoom, TheCanvasMayGoWhileItsAnimationRunsTheLoop) {
  int frames = 0;
  Plot->OnDraw = [&](TComponent*) { ++frames; };
  H.System->At(H.System->NowMs() + 30, [&] { Plot->Free(); });
  Plot->ZoomModeSet(zmZoomLess);
  ClickOn(60, 60);
  EXPECT_EQ(frames, 2);
  EXPECT_EQ(Form->ControlCount(), 0);
}

TEST_F(Canvas2DZoom, TheCanvasMayGoFromItsOwnerDrawingDuringAnAnimation) {
  int frames = 0;
  Plot->OnDraw = [&](TComponent* sender) {
    if (++frames == 3) sender->Free();
  };
  Plot->ZoomModeSet(zmZoomMore);
  ClickOn(60, 60);
  EXPECT_EQ(frames, 3);
  EXPECT_EQ(Form->ControlCount(), 0);
}

}  // namespace
