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
