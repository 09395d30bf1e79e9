#include "idle/CommandLine.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace {

TIdleCommand Parse(std::initializer_list<const char*> arguments) {
  std::vector<const char*> argv{"zzQuenbrel-idle"};
  argv.insert(argv.end(), arguments);
  return ParseIdleCommand(static_cast<int>(argv.size()), argv.data());
}

using TAction = TIdleCommand::TAction;

TEST(IdleCommandLine, ReadsTheActionsAndTheirSeconds) {
  EXPECT_EQ(Parse({"300"}).Action, TAction::Watch);
  EXPECT_EQ(Parse({"300"}).Seconds, 300u);
  EXPECT_EQ(Parse({"1"}).Seconds, 1u);
  EXPECT_EQ(Parse({"86400"}).Seconds, kMostIdleSeconds);
  EXPECT_EQ(Parse({"--enable", "60"}).Action, TAction::Enable);
  EXPECT_EQ(Parse({"--enable", "60"}).Seconds, 60u);
  EXPECT_EQ(Parse({"--disable"}).Action, TAction::Disable);
  EXPECT_EQ(Parse({"--help"}).Action, TAction::Help);
  for (const auto& command : {Parse({"300"}), Parse({"--enable", "60"}), Parse({"--disable"})})
    EXPECT_EQ(command.Error, "");
}

// Each wrong command line says what is wrong with it, in words a user can act on.
TEST(IdleCommandLine, RefusesWhatIsNotASensibleIdleTime) {
  EXPECT_EQ(Parse({}).Error, "the idle time in seconds is missing");
  EXPECT_EQ(Parse({"--enable"}).Error, "the idle time in seconds is missing");
  EXPECT_EQ(Parse({"five"}).Error, "'five' is not a number of seconds");
  EXPECT_EQ(Parse({"30s"}).Error, "'30s' is not a number of seconds");
  EXPECT_EQ(Parse({""}).Error, "'' is not a number of seconds");
  EXPECT_EQ(Parse({"-5"}).Error, "'-5' is not a number of seconds");
  EXPECT_EQ(Parse({"0"}).Error, "an idle time of 0 seconds is not between 1 and 86400");
  EXPECT_EQ(Parse({"86401"}).Error, "an idle time of 86401 seconds is not between 1 and 86400");
  EXPECT_EQ(Parse({"99999999999999999999999"}).Error,
            "an idle time of 99999999999999999999999 seconds is not between 1 and 86400");
  EXPECT_EQ(Parse({"--now", "5"}).Error, "unknown option '--now'");
  EXPECT_EQ(Parse({"300", "400"}).Error, "unexpected '400'");
  EXPECT_EQ(Parse({"--disable", "300"}).Error, "unexpected '300'");
  EXPECT_EQ(Parse({"--enable", "300", "x"}).Error, "unexpected 'x'");
}

}  // namespace
