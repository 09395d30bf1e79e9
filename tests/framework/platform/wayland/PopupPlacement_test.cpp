#include "framework/platform/wayland/PopupPlacement.h"

#include <gtest/gtest.h>

namespace {

TEST(PopupPlacement, ThePopupHangsFromThePointThroughTheFrameAndTheAnchorStaysInTheWindowBelow) {
  // A window framed by the program: its client area 4 pixels in and 22 down.
  const TPopupPlacement inside = PlacePopup({100, 50}, {181, 134}, {4, 22}, {648, 506});
  EXPECT_EQ(inside.Anchor, Bounds(104, 72, 1, 1));
  EXPECT_EQ(inside.Size, (TSize{181, 134}));
  // Placed by the program beside a screen it cannot see: the compositor moves it from the
  // window's edge, never from outside it.
  EXPECT_EQ(PlacePopup({-90, 700}, {181, 134}, {}, {640, 480}).Anchor, Bounds(0, 479, 1, 1));
  EXPECT_EQ(PlacePopup({640, 480}, {181, 134}, {}, {640, 480}).Anchor, Bounds(639, 479, 1, 1));
  // Nothing empty goes to the protocol.
  const TPopupPlacement empty = PlacePopup({5, 5}, {0, 0}, {}, {0, 0});
  EXPECT_EQ(empty.Anchor, Bounds(0, 0, 1, 1));
  EXPECT_EQ(empty.Size, (TSize{1, 1}));
}

}  // namespace
