#include "idle/IdleRunner.h"

#include <gtest/gtest.h>

namespace {

// A session that counts the savers started and says what a test tells it about inhibition.
struct TFakeSession : TIdleSession {
  bool Inhibited = false;
  int Started = 0;
  bool IdleInhibited() override { return Inhibited; }
  void StartSaver() override { ++Started; }
};

class IdleRunnerTest : public ::testing::Test {
 protected:
  TFakeSession FSession;
  TIdleRunner FRunner{FSession};
};

// Idle starts the saver once; the user's return ends it, in either order of the two reports,
// and the next idle time starts it again.
TEST_F(IdleRunnerTest, StartsOnIdleAndAgainAfterTheUserWasBack) {
  EXPECT_EQ(FRunner.Idle(), TIdleOutcome::SaverStarted);
  EXPECT_EQ(FRunner.Idle(), TIdleOutcome::SaverAlreadyRunning);
  FRunner.Active();  // reported before the saver's end
  EXPECT_TRUE(FRunner.SaverEnded(false));
  EXPECT_EQ(FRunner.Idle(), TIdleOutcome::SaverStarted);
  EXPECT_TRUE(FRunner.SaverEnded(false));  // reported after it
  FRunner.Active();
  EXPECT_EQ(FRunner.Idle(), TIdleOutcome::SaverStarted);
  EXPECT_EQ(FSession.Started, 3);
}

// A saver that ends while nobody touched the session waits for the user, however often the
// session says it is idle: no loop of savers that exit at once.
TEST_F(IdleRunnerTest, ASaverEndedWithoutInputWaitsForTheUser) {
  FRunner.Idle();
  FRunner.SaverEnded(false);
  EXPECT_EQ(FRunner.Idle(), TIdleOutcome::AwaitingActivity);
  EXPECT_EQ(FRunner.Idle(), TIdleOutcome::AwaitingActivity);
  EXPECT_EQ(FSession.Started, 1);
  FRunner.Active();
  EXPECT_EQ(FRunner.Idle(), TIdleOutcome::SaverStarted);
}

// Inhibited, it starts nothing until the user was back and the session idle again; activity
// while it is inhibited changes nothing of that.
TEST_F(IdleRunnerTest, InhibitedIdleStartsNothingUntilTheNextIdleTime) {
  FSession.Inhibited = true;
  EXPECT_EQ(FRunner.Idle(), TIdleOutcome::Inhibited);
  FSession.Inhibited = false;
  EXPECT_EQ(FRunner.Idle(), TIdleOutcome::AwaitingActivity);
  EXPECT_EQ(FSession.Started, 0);
  FRunner.Active();
  EXPECT_EQ(FRunner.Idle(), TIdleOutcome::SaverStarted);
}

// Failures in a row give up at the limit; a saver that ends well in between starts the count
// again.
TEST_F(IdleRunnerTest, GivesUpOnASaverThatKeepsFailing) {
  const auto failOnce = [&] {
    FRunner.Idle();
    FRunner.Active();
    return FRunner.SaverEnded(true);
  };
  for (int i = 1; i < TIdleRunner::kFailuresToGiveUp; ++i) EXPECT_TRUE(failOnce());
  FRunner.Idle();
  FRunner.Active();
  EXPECT_TRUE(FRunner.SaverEnded(false));
  for (int i = 1; i < TIdleRunner::kFailuresToGiveUp; ++i) EXPECT_TRUE(failOnce());
  EXPECT_FALSE(failOnce());
}

}  // namespace
