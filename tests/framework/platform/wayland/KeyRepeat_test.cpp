#include "framework/platform/wayland/KeyRepeat.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t kA = 30, kB = 48;

TEST(KeyRepeat, AHeldKeyComesAgainAfterTheDelayThenAtTheRateUntilItIsReleased) {
  TKeyRepeat repeat;
  repeat.Configure(25, 600);  // every 40 ms
  repeat.Pressed(kA, 1000);
  std::uint32_t key = 0;
  EXPECT_EQ(repeat.Due(), 1600);
  EXPECT_FALSE(repeat.Take(1599, key));
  ASSERT_TRUE(repeat.Take(1600, key));
  EXPECT_EQ(key, kA);
  EXPECT_FALSE(repeat.Take(1600, key));
  EXPECT_EQ(repeat.Due(), 1640);
  // Another key's release changes nothing; a new key takes over.
  repeat.Released(kB);
  EXPECT_EQ(repeat.Due(), 1640);
  repeat.Pressed(kB, 1650);
  EXPECT_EQ(repeat.Due(), 2250);
  repeat.Released(kA);
  ASSERT_TRUE(repeat.Take(2250, key));
  EXPECT_EQ(key, kB);
  repeat.Released(kB);
  EXPECT_EQ(repeat.Due(), TKeyRepeat::Never);
}

TEST(KeyRepeat, ALateLoopGetsOneRepeatAndTheNextAFullIntervalLater) {
  TKeyRepeat repeat;
  repeat.Configure(50, 100);  // every 20 ms
  repeat.Pressed(kA, 0);
  std::uint32_t key = 0;
  ASSERT_TRUE(repeat.Take(500, key));
  EXPECT_FALSE(repeat.Take(500, key));
  EXPECT_EQ(repeat.Due(), 520);
}

TEST(KeyRepeat, ARateOfZeroRepeatsNothingEvenForAKeyAlreadyHeld) {
  TKeyRepeat repeat;
  repeat.Configure(25, 600);
  repeat.Pressed(kA, 0);
  repeat.Configure(0, 600);
  EXPECT_EQ(repeat.Due(), TKeyRepeat::Never);
  repeat.Pressed(kA, 0);
  EXPECT_EQ(repeat.Due(), TKeyRepeat::Never);
  // Nonsense from a compositor is held within bounds.
  repeat.Configure(1000000, -5);
  repeat.Pressed(kA, 0);
  EXPECT_EQ(repeat.Due(), 0);
  std::uint32_t key = 0;
  ASSERT_TRUE(repeat.Take(0, key));
  EXPECT_EQ(repeat.Due(), 1);
}

}  // namespace
