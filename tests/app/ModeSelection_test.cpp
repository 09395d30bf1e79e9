#include "app/ModeSelection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/HostRequest.h"

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
  for (const char* hack : {"-root", "--root", "-window-id", "--window-id"})
    EXPECT_EQ(ModeOf({hack}), TMode::Preview) << hack;
  for (const char* nothing : {"/s:1", "-s", "s", "/x", "/C", "/C:4711", "", "-ROOT", "root", "-window"})
    EXPECT_EQ(ModeOf({nothing}), TMode::None) << nothing;
  for (const char* settings : {"/c", "/c:4711", "abc/cdef", "x/cy"})
    EXPECT_EQ(ModeOf({settings}), TMode::Settings) << settings;
}

TEST(ModeSelection, LowerCasesOnlyAsciiLettersAndIgnoresArgumentsAfterTheSecond) {
  EXPECT_EQ(ModeOf({"/\xD3"}), TMode::None);
  EXPECT_EQ(ModeOf({"/s", "extra", "more"}), TMode::Saver);
  EXPECT_EQ(ModeOf({"/p", "1234", "--window-id", "0x400008"}), TMode::Preview);
}

using TSource = THostRequest::TSource;

THostRequest RequestOf(std::vector<std::string> switches, const char* environment = nullptr) {
  switches.insert(switches.begin(), "zzQuenbrel.scr");
  return ReadHostRequest(switches, environment);
}

TEST(HostRequest, HackConventionsNameTheWindowTheClassicDecimalFormStaysTheFormsOwn) {
  const THostRequest classic{};
  EXPECT_EQ(RequestOf({"/p", "1234"}, "0x400008"), classic);
  EXPECT_EQ(RequestOf({"/p", "abc"}), classic);
  EXPECT_EQ(RequestOf({"/p", "-5"}), classic);
  EXPECT_EQ(RequestOf({"/p"}), classic);
  EXPECT_EQ(RequestOf({"/p", "1234", "--window-id", "0x400008"}), classic);
  EXPECT_EQ(RequestOf({"/P", "0x1c00007"}), (THostRequest{TSource::Window, 0x1c00007}));
  EXPECT_EQ(RequestOf({"/p"}, "0x400008"), (THostRequest{TSource::Window, 0x400008}));
  EXPECT_EQ(RequestOf({"-root"}, "0x400008"), (THostRequest{TSource::Window, 0x400008}));
  EXPECT_EQ(RequestOf({"--root"}, "4194312"), (THostRequest{TSource::Window, 4194312}));
  EXPECT_EQ(RequestOf({"-root"}), (THostRequest{TSource::Desktop, 0}));
  EXPECT_EQ(RequestOf({"-window-id", "0X1F"}, "0x400008"), (THostRequest{TSource::Window, 0x1f}));
  // A settings tool appends its preview's id to the hack's own line.
  EXPECT_EQ(RequestOf({"-root", "-fps", "--window-id", "77"}, "0x400008"), (THostRequest{TSource::Window, 77}));
}

TEST(HostRequest, AWrongIdInAHackConventionIsAnErrorNamingWhereItCameFrom) {
  const auto message = [](std::vector<std::string> switches, const char* environment = nullptr) -> std::string {
    try {
      RequestOf(std::move(switches), environment);
    } catch (const EHostError& error) {
      return error.what();
    }
    return "no error";
  };
  EXPECT_EQ(message({"-root"}, "window"), "XSCREENSAVER_WINDOW is 'window': not a window id (0x... or decimal)");
  EXPECT_EQ(message({"-window-id", "-5"}), "-window-id is '-5': not a window id (0x... or decimal)");
  EXPECT_EQ(message({"--window-id"}), "--window-id wants a window id (0x... or decimal)");
  EXPECT_EQ(message({"-root", "--window-id"}), "--window-id wants a window id (0x... or decimal)");
  EXPECT_EQ(message({"/p", "0xg"}), "the window of /p is '0xg': not a window id (0x... or decimal)");
  EXPECT_EQ(message({"/p"}, ""), "XSCREENSAVER_WINDOW is '': not a window id (0x... or decimal)");
}

TEST(HostRequest, WindowIdsAreHexOrDecimalPositiveAndWithin32Bits) {
  TWindowHandle window = 0;
  for (const auto& [text, value] : std::vector<std::pair<std::string, TWindowHandle>>{{"0x400008", 0x400008},
                                                                                      {"0XaBc", 0xabc},
                                                                                      {"4194312", 4194312},
                                                                                      {"0xffffffff", 0xffffffff},
                                                                                      {"4294967295", 4294967295},
                                                                                      {"007", 7}}) {
    EXPECT_TRUE(ParseWindowId(text, window)) << text;
    EXPECT_EQ(window, value) << text;
  }
  for (const char* wrong : {"", "0x", "0", "0x0", "-5", "+5", " 5", "5 ", "0x1g", "12a", "0x100000000", "4294967296",
                            "99999999999999999999999", "x10"})
    EXPECT_FALSE(ParseWindowId(wrong, window)) << wrong;
}

TEST(CommandLine, ArgumentsThatWereNotGivenReadAsEmpty) {
  SetProgramArguments({"zz.scr", "/p"});
  EXPECT_EQ(ParamCount(), 1);
  EXPECT_EQ(ParamStr(2), "");
  EXPECT_EQ(ParamStr(-1), "");
}

}  // namespace
