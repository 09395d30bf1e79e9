#include <gtest/gtest.h>

#include "framework/base/IntToHex.h"

namespace {

TEST(IntToHex, PadsToTheDigitsAskedForInUpperCaseAndCutsNothing) {
  EXPECT_EQ(IntToHex(0x12ABCD, 8), "0012ABCD");
  EXPECT_EQ(IntToHex(0, 8), "00000000");
  EXPECT_EQ(IntToHex(0xFFFFFFFFu, 8), "FFFFFFFF");
  EXPECT_EQ(IntToHex(0xabc, 0), "ABC");
  // A value longer than asked keeps every digit.
  EXPECT_EQ(IntToHex(0x1234567890ABCDEFull, 8), "1234567890ABCDEF");
  EXPECT_EQ(IntToHex(0x100, 2), "100");
}

}  // namespace
