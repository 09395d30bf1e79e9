#include "framework/platform/wayland/KeyboardFocus.h"

#include <gtest/gtest.h>

namespace {

TEST(KeyboardFocus, OnlyALeaveThatNoEnterFollowsInItsBatchDeactivates) {
  TKeyboardFocus focus;
  EXPECT_TRUE(focus.Entered(1));
  EXPECT_EQ(focus.LostInBatch(), 0u);
  // Between two of our windows: no news.
  focus.Left();
  EXPECT_FALSE(focus.Entered(2));
  EXPECT_EQ(focus.LostInBatch(), 0u);
  EXPECT_EQ(focus.Window(), 2u);
  // To another client's surface.
  focus.Left();
  EXPECT_EQ(focus.LostInBatch(), 2u);
  EXPECT_EQ(focus.LostInBatch(), 0u);
  EXPECT_TRUE(focus.Entered(1));
}

TEST(KeyboardFocus, AWindowThatGoesIsNoLongerReported) {
  TKeyboardFocus focus;
  focus.Entered(1);
  focus.Left();
  focus.Forget(1);
  EXPECT_EQ(focus.LostInBatch(), 0u);
  focus.Entered(2);
  focus.Forget(2);
  EXPECT_EQ(focus.Window(), 0u);
  EXPECT_TRUE(focus.Entered(3));
}

}  // namespace
