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
  for (const char* nothing : {"/s:1", "-s", "s", "/x", "/C", "/C:4711", ""}) EXPECT_EQ(ModeOf({nothing}), TMode::None) << nothing;
  for (const char* settings : {"/c", "/c:4711", "abc/cdef", "x/cy"}) EXPECT_EQ(ModeOf({settings}), TMode::Settings) << settings;
}

TEST(ModeSelection, LowerCasesOnlyAsciiLettersAndIgnoresArgumentsAfterTheSecond) {
  EXPECT_EQ(ModeOf({"/\xD3"}), TMode::None);
  EXPECT_EQ(ModeOf({"/s", "extra", "more"}), TMode::Saver);
  EXPECT_EQ(ModeOf({"/p", "1234", "--window-id", "0x400008"}), TMode::Preview);
}

TEST(CommandLine, SplitsAtBlanksAndControlCharactersAndDropsQuotes) {
  EXPECT_EQ(SplitCommandLine("zz.scr \"/s\""), (std::vector<std::string>{"zz.scr", "/s"}));
  EXPECT_EQ(SplitCommandLine("  \"/opt/my savers/zz.scr\"\t/p\x01" "1234  "),
            (std::vector<std::string>{"/opt/my savers/zz.scr", "/p", "1234"}));
  EXPECT_EQ(SplitCommandLine("a\"b c\"d \"\" e"), (std::vector<std::string>{"ab cd", "", "e"}));
  EXPECT_EQ(SplitCommandLine("\"unclosed run"), (std::vector<std::string>{"unclosed run"}));
  EXPECT_TRUE(SplitCommandLine(" \t ").empty());
}

TEST(CommandLine, AQuotedSwitchActsAsTheBareSwitch) {
  SetProgramArguments(SplitCommandLine("zz.scr \"/p\" \"1234\""));
  EXPECT_EQ(SelectMode(), TMode::Preview);
  EXPECT_EQ(ParamStr(2), "1234");
}

TEST(CommandLine, ArgumentsThatWereNotGivenReadAsEmpty) {
  SetProgramArguments({"zz.scr", "/p"});
  EXPECT_EQ(ParamCount(), 1);
  EXPECT_EQ(ParamStr(2), "");
  EXPECT_EQ(ParamStr(-1), "");
}

}  // namespace
