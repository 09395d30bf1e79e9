#include <gtest/gtest.h>

#include <climits>

#include "framework/base/MulDiv.h"

namespace {

TEST(MulDiv, RoundsHalvesAwayFromZeroInEitherSign) {
  EXPECT_EQ(MulDiv(1, 5, 2), 3);
  EXPECT_EQ(MulDiv(-1, 5, 2), -3);
  EXPECT_EQ(MulDiv(1, -5, 2), -3);
  EXPECT_EQ(MulDiv(1, 5, -2), -3);
  EXPECT_EQ(MulDiv(-1, -5, -2), -3);
  EXPECT_EQ(MulDiv(7, 1, 3), 2);  // 2.33
  EXPECT_EQ(MulDiv(8, 1, 3), 3);  // 2.67
  EXPECT_EQ(MulDiv(-8, 1, 3), -3);
  EXPECT_EQ(MulDiv(3, 255, 6), 128);  // 127.5, a gradient band's channel
}

TEST(MulDiv, TheProductMayExceed32Bits) {
  EXPECT_EQ(MulDiv(INT_MAX, INT_MAX, INT_MAX), INT_MAX);
  EXPECT_EQ(MulDiv(INT_MIN, INT_MIN, INT_MIN), INT_MIN);
  EXPECT_EQ(MulDiv(100000, 100000, 1000000), 10000);
}

TEST(MulDiv, ZeroDivisorOrAResultBeyond32BitsGivesMinusOne) {
  EXPECT_EQ(MulDiv(5, 5, 0), -1);
  EXPECT_EQ(MulDiv(INT_MAX, 2, 1), -1);
  EXPECT_EQ(MulDiv(INT_MIN, -1, 1), -1);
  EXPECT_EQ(MulDiv(INT_MIN, 1, -1), -1);
}

}  // namespace
