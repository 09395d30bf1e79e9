#include "app/ModeSelection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CommandLine.h"

namespace {

TMode ModeOf(std::vector<std::string> switches) {
  switches.insert(switches.begin(), "zzQuenbrel.scr");
  SetProgramArguments(switches);
  return SelectMode();
}

TEST(ModeSelection, FollowsTheSwitchTable) {
  EXPECT_EQ(ModeOf({}), TMode::None);
  EXPECT_EQ(ModeOf({"/S"}), TMode::Saver);
  EXPECT_EQ(ModeOf({"/s"}), TMode::Saver);
  EXPECT_EQ(ModeOf({"/P", "1234"}), TMode::Preview);
  EXPECT_EQ(ModeOf({"/p", "1234"}), TMode::Preview);
  EXPECT_EQ(ModeOf({"/p"}), TMode::Preview);
  EXPECT_EQ(ModeOf({"/p:1234"}), TMode::None);
  for (const char* nothing : {"/s:1", "-s", "s", "/x", "/C", "/C:4711", ""})
    EXPECT_EQ(ModeOf({nothing}), TMode::None) << nothing;
  for (const char* settings : {"/c", "/c:4711", "abc/cdef", "x/cy"})
    EXPECT_EQ(ModeOf({settings}), TMode::Settings) << settings;
}

TEST(ModeSelection, LowerCasesOnlyAsciiLettersAndIgnoresArgumentsAfterTheSecond) {
  EXPECT_EQ(ModeOf({"/\xD3"}), TMode::None);
  EXPECT_EQ(ModeOf({"/s", "extra", "more"}), TMode::Saver);
  EXPECT_EQ(ModeOf({"/p", "1234", "--window-id", "0x400008"}), TMode::Preview);
}

TEST(CommandLine, ArgumentsThatWereNotGivenReadAsEmpty) {
  SetProgramArguments({"zz.scr", "/p"});
  EXPECT_EQ(ParamCount(), 1);
  EXPECT_EQ(ParamStr(2), "");
  EXPECT_EQ(ParamStr(-1), "");
}

}  // namespace
