#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "components/Poly.h"
#include "components/VekImage.h"
#include "framework/graphics/Canvas.h"
#include "support/HeadlessApp.h"

namespace {

class Poly : public ::testing::Test {
 protected:
  THeadlessApp H;
  TPoly* P = new TPoly(&H.App);
  int Xc = 0, Yc = 0;
  double R = 0;

  void SetUp() override { Measure(); }
  void Measure() {
    Xc = P->ValueXc();
    Yc = P->ValueYc();
    R = P->ValueR();
  }
  std::vector<TPoint> Vertices() {
    std::vector<TPoint> points;
    for (int i = 0; i < P->Count(); ++i) points.push_back(P->PointValue(i, Xc, Yc, R));
    return points;
  }
  // Manual mode with the given vertices; records every index the handler is asked for.
  void UseManual(const std::vector<TPoint>& points, std::vector<int>* asked = nullptr) {
    P->OnGetPointValue = [points, asked](TComponent*, int i, int, int, double, TPoint& p) {
      if (asked) asked->push_back(i);
      p = points.at(static_cast<std::size_t>(i));
    };
    P->SetCount(static_cast<int>(points.size()));
    P->SetManual(true);
  }
  TColor Pixel(int x, int y) { return P->Image().Canvas().Pixel(x, y); }
};

const std::vector<TPoint> kSquare{{0, 0}, {10, 0}, {10, 10}, {0, 10}};

TEST_F(Poly, TheCentreAndRadiusFollowTheSurface) {
  EXPECT_EQ(P->Image().Width(), 156);
  EXPECT_EQ(Xc, 78);
  EXPECT_EQ(Yc, 78);
  EXPECT_DOUBLE_EQ(R, 70.2);
  P->SetBounds(0, 0, 161, 104);
  Measure();
  EXPECT_EQ(Xc, 78);
  EXPECT_EQ(Yc, 50);
  EXPECT_DOUBLE_EQ(R, 45);
}

TEST_F(Poly, ANewOneHasFourToThirteenVerticesAndTheDefaultColours) {
  for (int made = 0; made < 20; ++made) {
    auto* other = new TPoly(&H.App);
    EXPECT_GE(other->Count(), 4);
    EXPECT_LE(other->Count(), 13);
  }
  EXPECT_EQ(P->ColorBack(), clBlack);
  EXPECT_EQ(P->ColorBrush(), clBlue);
  EXPECT_EQ(P->ColorPen(), clWhite);
  EXPECT_EQ(P->WidthPen(), 2);
  EXPECT_FALSE(P->Manual());
}

TEST_F(Poly, FourVerticesGoClockwiseFromTheRightAndTruncate) {
  P->SetCount(4);
  EXPECT_EQ(Vertices(), (std::vector<TPoint>{{148, 78}, {78, 148}, {7, 78}, {77, 7}}));
  P->SetRotation(45);
  EXPECT_EQ(Vertices(), (std::vector<TPoint>{{127, 127}, {28, 127}, {28, 28}, {127, 28}}));
  EXPECT_EQ(P->PointValue(4, Xc, Yc, R), P->PointValue(0, Xc, Yc, R));
}

TEST_F(Poly, PaintsTheFilledPolygonOnTheBackground) {
  P->SetCount(4);
  P->SetRotation(45);
  EXPECT_EQ(Pixel(0, 0), clBlack);
  EXPECT_EQ(Pixel(78, 78), clBlue);
  EXPECT_EQ(Pixel(78, 28), clWhite);
  EXPECT_EQ(Pixel(78, 25), clBlack);
  EXPECT_EQ(P->Image().Canvas().Pen.Width, 1);
  P->SetColorBack(clRed);
  EXPECT_EQ(Pixel(0, 0), clRed);
}

TEST_F(Poly, OnBeforeDrawComesAfterThePolygonWithTheCentreAndRadiusUsed) {
  P->SetCount(4);
  std::vector<double> seen;
  P->OnBeforeDraw = [&](TComponent* sender, int xc, int yc, double r) {
    EXPECT_EQ(sender, P);
    EXPECT_EQ(Pixel(xc, yc), P->ColorBrush());
    seen = {double(xc), double(yc), r};
  };
  P->SetBounds(0, 0, 161, 104);
  EXPECT_EQ(seen, (std::vector<double>{78, 50, 45}));
}

TEST_F(Poly, EveryPaintStartsWithOnResizeOnTheOldPicture) {
  std::vector<TColor> centres;
  P->OnResize = [&](TComponent* sender) {
    EXPECT_EQ(sender, P);
    centres.push_back(Pixel(Xc, Yc));
  };
  P->SetCount(20);
  P->SetColorBrush(clRed);
  EXPECT_EQ(centres, (std::vector<TColor>{clBlue, clBlue}));
  EXPECT_EQ(Pixel(Xc, Yc), clRed);
  P->SetBounds(0, 0, 104, 104);  // a resize paints once, with one OnResize
  EXPECT_EQ(centres.size(), 3u);
  EXPECT_EQ(Pixel(50, 50), clRed);
  EXPECT_EQ(Pixel(99, 50), clBlack);  // the old polygon's right vertex region is repainted
}

TEST_F(Poly, AlongTheOutlineTargetsOnAnEdgesEndBelongToTheNextEdge) {
  UseManual(kSquare);
  EXPECT_DOUBLE_EQ(P->ContLen(Xc, Yc, R), 40);
  EXPECT_DOUBLE_EQ(P->ContLenI(3, Xc, Yc, R), 10);
  EXPECT_EQ(P->ContPoint(0, Xc, Yc, R), (TPoint{0, 0}));
  EXPECT_EQ(P->ContPoint(0.25, Xc, Yc, R), (TPoint{10, 0}));
  EXPECT_EQ(P->ContPoint(0.3, Xc, Yc, R), (TPoint{10, 2}));
  EXPECT_EQ(P->ContPointGet(0.1, Xc, Yc, R), 0);
  EXPECT_EQ(P->ContPointGet(0.125, Xc, Yc, R), 1);  // the middle goes to the later vertex
  EXPECT_EQ(P->ContPointGet(0.95, Xc, Yc, R), 0);
}

TEST_F(Poly, PointsOnTheOutlineTruncateTowardZero) {
  UseManual({{0, 0}, {-10, 0}});
  EXPECT_EQ(P->ContPoint(0.045, Xc, Yc, R), (TPoint{0, 0}));   // x = -0.9
  EXPECT_EQ(P->ContPoint(0.055, Xc, Yc, R), (TPoint{-1, 0}));  // x = -1.1
}

TEST_F(Poly, FractionsWrapIntoOneTurnAndTheHandlerNeverSeesAnIndexPastItsTable) {
  std::vector<int> asked;
  UseManual(kSquare, &asked);
  const TPoint quarter = P->ContPoint(0.3, Xc, Yc, R);
  EXPECT_EQ(P->ContPoint(1.3, Xc, Yc, R), quarter);
  EXPECT_EQ(P->ContPoint(1, Xc, Yc, R), (TPoint{0, 0}));
  EXPECT_EQ(P->ContPointGet(1, Xc, Yc, R), 0);
  EXPECT_EQ(P->ContPoint(std::nextafter(1.0, 0.0), Xc, Yc, R), (TPoint{0, 0}));
  EXPECT_EQ(P->PointValue(-1, Xc, Yc, R), (TPoint{0, 10}));
  for (int i : asked) {
    EXPECT_GE(i, 0);
    EXPECT_LT(i, 4);
  }
}

TEST_F(Poly, FractionsBelowZeroRunOnBackwardsAlongEdgeZero) {
  UseManual(kSquare);
  EXPECT_EQ(P->ContPoint(-0.05, Xc, Yc, R), (TPoint{-2, 0}));
  EXPECT_EQ(P->ContPoint(-0.7, Xc, Yc, R), (TPoint{-28, 0}));
  EXPECT_EQ(P->ContPointGet(-0.7, Xc, Yc, R), 0);
  // Ever so far back, the point stays on the line of edge 0.
  UseManual({{5, 7}, {15, 7}, {15, 17}});
  EXPECT_EQ(P->ContPoint(-std::numeric_limits<double>::max(), Xc, Yc, R), (TPoint{std::numeric_limits<int>::min(), 7}));
  // An edge 0 without length points nowhere: its vertex.
  UseManual({{3, 3}, {3, 3}, {10, 10}});
  EXPECT_EQ(P->ContPoint(-0.5, Xc, Yc, R), (TPoint{3, 3}));
}

TEST_F(Poly, ManualPointsLeftUnsetAreTheCentre) {
  P->SetCount(3);
  P->SetManual(true);
  EXPECT_EQ(P->PointValue(1, Xc, Yc, R), (TPoint{78, 78}));
  P->OnGetPointValue = [](TComponent*, int i, int, int, double, TPoint& p) {
    if (i == 0) p = {5, 6};
  };
  EXPECT_EQ(P->PointValue(0, Xc, Yc, R), (TPoint{5, 6}));
  EXPECT_EQ(P->PointValue(2, Xc, Yc, R), (TPoint{78, 78}));
}

TEST_F(Poly, CountsBelowOneOrAboveTheLimitAreIgnored) {
  P->SetCount(TPoly::MaxCount);  // the limit itself is allowed
  EXPECT_EQ(P->Count(), TPoly::MaxCount);
  P->SetCount(6);
  for (int bad : {0, -5, 1'000'000'000, TPoly::MaxCount + 1}) {
    P->SetCount(bad);
    EXPECT_EQ(P->Count(), 6);
  }
  P->SetCount(1);
  EXPECT_EQ(P->Count(), 1);
  EXPECT_DOUBLE_EQ(P->ContLen(Xc, Yc, R), 0);
}

TEST_F(Poly, WithoutAPerimeterEveryFractionIsVertexZeroAtOnce) {
  P->SetBounds(0, 0, 5, 5);
  Measure();
  ASSERT_EQ(P->Image().Width(), 1);
  for (double t : {0.5, 1e18, -1e18, std::nan(""), std::numeric_limits<double>::infinity()}) {
    EXPECT_EQ(P->ContPoint(t, Xc, Yc, R), (TPoint{0, 0}));
    EXPECT_EQ(P->ContPointGet(t, Xc, Yc, R), 0);
  }
}

TEST_F(Poly, ARotationThatIsNotFiniteCountsAsZero) {
  P->SetCount(4);
  const std::vector<TPoint> straight = Vertices();
  P->SetRotation(30);
  P->SetRotation(std::nan(""));
  EXPECT_EQ(P->Rotation(), 0);
  EXPECT_EQ(Vertices(), straight);
  P->SetRotation(std::numeric_limits<double>::infinity());
  EXPECT_EQ(Vertices(), straight);
}

TEST_F(Poly, FarApartManualPointsAreMeasuredWithoutOverflow) {
  constexpr int lo = std::numeric_limits<int>::min(), hi = std::numeric_limits<int>::max();
  UseManual({{lo, lo}, {hi, lo}, {hi, hi}});
  EXPECT_DOUBLE_EQ(P->ContLenI(0, Xc, Yc, R), double(hi) - lo);
  const TPoint middle = P->ContPoint(0.1, Xc, Yc, R);
  EXPECT_GT(middle.X, lo);
  EXPECT_EQ(middle.Y, lo);
  EXPECT_EQ(P->ContLen(0, 0, 1e300), P->ContLen(Xc, Yc, R));  // manual points ignore the radius
  P->SetManual(false);
  EXPECT_EQ(P->PointValue(0, 0, 0, 1e300), (TPoint{hi, 0}));
}

TEST_F(Poly, DestroyedWithItsBarsOnItRaisesAndDrawsNothing) {
  P->SetScrollBars(true);
  int events = 0;
  P->OnResize = [&](TComponent*) { ++events; };
  P->OnBeforeDraw = [&](TComponent*, int, int, double) { ++events; };
  delete P;
  EXPECT_EQ(events, 0);
}

}  // namespace
