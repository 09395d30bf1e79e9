#include <vector>

#include "components/PnlImg.h"
#include "components/VekImage.h"
#include "framework/ui/controls/ScrollBar.h"
#include "support/FormFixture.h"

namespace {

class PnlImg : public TFormFixture {
 protected:
  TPnlImg* Panel = nullptr;
  std::vector<TComponent*> Resizes;

  void SetUp() override {
    TFormFixture::SetUp();
    Form->SetBounds(0, 0, 300, 200);
    Panel = new TPnlImg(Form);
    Panel->SetParent(Form);
    Panel->SetLeft(20);
    Panel->SetTop(10);
    Panel->OnResize = [this](TComponent* sender) { Resizes.push_back(sender); };
    ShowForm();
  }
  TRect SurfaceBounds() const { return Panel->Image().BoundsRect(); }
  TSize BitmapSize() const {
    TBitmap& bitmap = Panel->Image().Picture().Bitmap();
    return {bitmap.Width(), bitmap.Height()};
  }
};

TEST_F(PnlImg, ANewOneIsA160SquareWithTwoLoweredBevelsAroundItsSurface) {
  EXPECT_EQ(Panel->Width(), 160);
  EXPECT_EQ(Panel->Height(), 160);
  EXPECT_EQ(Panel->BevelInner(), TBevelCut::bvLowered);
  EXPECT_EQ(Panel->BevelOuter(), TBevelCut::bvLowered);
  EXPECT_EQ(Panel->Caption(), " ");
  EXPECT_EQ(Panel->HelpContext, 0);
  EXPECT_FALSE(Panel->ScrollBars());
  EXPECT_EQ(SurfaceBounds(), Bounds(0, 0, 156, 156));
  EXPECT_EQ(BitmapSize(), (TSize{156, 156}));
  EXPECT_EQ(Shown(20, 10), kShadow);
  EXPECT_EQ(Shown(21, 11), kShadow);
  EXPECT_EQ(Shown(179, 169), kHighlight);
}

TEST_F(PnlImg, ScrollBarsOnLeaveTheSurface143SquareBesideThirteenPixelStrips) {
  Panel->SetScrollBars(true);
  EXPECT_EQ(SurfaceBounds(), Bounds(0, 0, 143, 143));
  EXPECT_EQ(BitmapSize(), (TSize{143, 143}));
  EXPECT_EQ(Resizes, (std::vector<TComponent*>{Panel}));

  TScrollBar* v = Panel->ScrollBarV();
  TScrollBar* h = Panel->ScrollBarH();
  ASSERT_NE(v, nullptr);
  ASSERT_NE(h, nullptr);
  // In the inner panel's coordinates: the right strip above the bottom one, and the
  // horizontal bar stopping 15 pixels short of the right for the corner.
  EXPECT_EQ(v->Parent()->BoundsRect(), Bounds(143, 0, 13, 143));
  EXPECT_EQ(h->Parent()->BoundsRect(), Bounds(0, 143, 156, 13));
  EXPECT_EQ(h->BoundsRect(), Bounds(0, 0, 141, 13));
  EXPECT_EQ(v->BoundsRect(), Bounds(0, 0, 13, 143));
  for (TScrollBar* bar : {h, v}) {
    EXPECT_EQ(bar->Min(), 0);
    EXPECT_EQ(bar->Max(), 100);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(bar->LargeChange(), 10);
    EXPECT_EQ(bar->SmallChange(), 1);
    EXPECT_FALSE(bar->TabStop);
  }
  EXPECT_EQ(v->Kind(), TScrollBarKind::sbVertical);
  EXPECT_EQ(h->Kind(), TScrollBarKind::sbHorizontal);
}

TEST_F(PnlImg, ScrollBarsSetToTheirCurrentValueRaiseNothing) {
  Panel->SetScrollBars(false);
  EXPECT_TRUE(Resizes.empty());
  Panel->SetScrollBars(true);
  Panel->SetScrollBars(true);
  EXPECT_EQ(Resizes.size(), 1u);
}

TEST_F(PnlImg, ScrollBarsOnThenOffLeaveNoBarAndTheSameSurface) {
  const int before = Panel->ComponentCount();
  Panel->SetScrollBars(true);
  Panel->SetScrollBars(false);
  EXPECT_EQ(Panel->ScrollBarH(), nullptr);
  EXPECT_EQ(Panel->ScrollBarV(), nullptr);
  EXPECT_EQ(Panel->ComponentCount(), before);
  ASSERT_EQ(Panel->Image().Parent()->ControlCount(), 1);
  EXPECT_EQ(SurfaceBounds(), Bounds(0, 0, 156, 156));
  EXPECT_EQ(BitmapSize(), (TSize{156, 156}));
  EXPECT_EQ(Resizes.size(), 2u);
}

TEST_F(PnlImg, TheSurfacesMouseEventsReachThePanelsEventsInSurfaceCoordinates) {
  std::vector<TComponent*> senders;
  std::vector<TPoint> points;
  Panel->OnClick = [&](TComponent* sender) { senders.push_back(sender); };
  Panel->OnMouseDown = [&](TComponent* sender, TMouseButton, TShiftState, int x, int y) {
    senders.push_back(sender);
    points.push_back({x, y});
  };
  Panel->OnMouseMove = [&](TComponent* sender, TShiftState, int x, int y) {
    senders.push_back(sender);
    points.push_back({x, y});
  };
  Panel->OnMouseUp = [&](TComponent* sender, TMouseButton, TShiftState, int x, int y) {
    senders.push_back(sender);
    points.push_back({x, y});
  };
  MoveTo(30, 20);
  ClickAt(32, 25);
  EXPECT_EQ(senders, (std::vector<TComponent*>(4, Panel)));
  EXPECT_EQ(points, (std::vector<TPoint>{{8, 8}, {10, 13}, {10, 13}}));
}

TEST_F(PnlImg, TheBarsChangesReachThePanelsEvents) {
  Panel->SetScrollBars(true);
  std::vector<TComponent*> h, v;
  Panel->OnScrollBarHChange = [&](TComponent* sender) { h.push_back(sender); };
  Panel->OnScrollBarVChange = [&](TComponent* sender) { v.push_back(sender); };
  Panel->ScrollBarH()->SetPosition(30);
  EXPECT_EQ(h, (std::vector<TComponent*>{Panel}));
  EXPECT_TRUE(v.empty());
  ClickAt(20 + 2 + 143 + 6, 10 + 2 + 120);  // the vertical bar's track below its thumb
  EXPECT_EQ(v, (std::vector<TComponent*>{Panel}));
  EXPECT_EQ(Panel->ScrollBarV()->Position(), 10);
}

TEST_F(PnlImg, TheCursorSetOnThePanelIsTheOneOverTheSurface) {
  Panel->SetCursor(crHandPoint);
  EXPECT_EQ(Panel->Cursor(), crHandPoint);
  EXPECT_EQ(Panel->Image().Cursor(), crHandPoint);
  MoveTo(100, 100);
  EXPECT_EQ(H.System->Window(Form->Handle())->Cursor, crHandPoint);
}

TEST_F(PnlImg, ResizingThePanelResizesTheSurfaceBitmapAndRaisesOnResizeOnce) {
  Panel->SetBounds(20, 10, 120, 80);
  EXPECT_EQ(BitmapSize(), (TSize{116, 76}));
  EXPECT_EQ(Resizes.size(), 1u);
  Panel->SetLeft(40);
  EXPECT_EQ(Resizes.size(), 1u);
}

TEST_F(PnlImg, DestroyedWithItsBarsOnItRaisesNothing) {
  Panel->SetScrollBars(true);
  Resizes.clear();
  delete Panel;
  EXPECT_TRUE(Resizes.empty());
  EXPECT_EQ(Form->ControlCount(), 0);
}

}  // namespace
