#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "framework/base/Exceptions.h"

namespace {

std::string Refusal(const std::string& text) {
  try {
    return "accepted " + std::to_string(StrToInt(text));
  } catch (const EConvertError& e) {
    return e.Message();
  }
}

TEST(StrToInt, TakesDecimalAndDollarHexWithSignAndBlanksAcrossTheWhole32BitRange) {
  EXPECT_EQ(StrToInt(" -42 "), -42);
  EXPECT_EQ(StrToInt("+7"), 7);
  EXPECT_EQ(StrToInt("2147483647"), INT_MAX);
  EXPECT_EQ(StrToInt("-2147483648"), INT_MIN);
  EXPECT_EQ(StrToInt("$7FFFFFFF"), INT_MAX);
  EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
  EXPECT_EQ(StrToInt("$ff"), 255);
}

TEST(StrToInt, RefusesWhatIsNoNumberOrOutsideTheRange) {
  for (const std::string text : {"2147483648", "-2147483649", "$100000000", "", " ", "-", "$", "12a", "1 2", "0x10"})
    EXPECT_EQ(Refusal(text), "'" + text + "' is not a valid integer value") << text;
}

}  // namespace
