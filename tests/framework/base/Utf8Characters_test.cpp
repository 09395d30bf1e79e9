#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/base/Utf8.h"

namespace {

TEST(Utf8Characters, SplitsWhereDecodingSplitsKeepingStrayBytesAlone) {
  EXPECT_EQ(Utf8Characters("a\xC3\xA9\xE2\x82\xAC"), (std::vector<std::string>{"a", "\xC3\xA9", "\xE2\x82\xAC"}));
  EXPECT_EQ(Utf8Characters("\xE9t\xC3"), (std::vector<std::string>{"\xE9", "t", "\xC3"}));
  EXPECT_TRUE(Utf8Characters("").empty());
}

}  // namespace

namespace {

TEST(EncodeUtf8, EachLengthDecodesBackAndTheUnencodableBecomeTheReplacement) {
  for (char32_t c : {U'a', U'\u00E9', U'\u20AC', U'\U0001F600'})
    EXPECT_EQ(DecodeUtf8(EncodeUtf8(c)), std::u32string(1, c));
  EXPECT_EQ(EncodeUtf8(0xD800), "\xEF\xBF\xBD");
  EXPECT_EQ(EncodeUtf8(0x110000), "\xEF\xBF\xBD");
}

}  // namespace
