#include "idle/IdleRunner.h"

#include <gtest/gtest.h>

#include <string>

#include "idle/IdleTimeLooks.h"

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

namespace {

// The reports a source makes, in order: 'I' idle, 'A' active.
struct TRecordedEvents : TIdleEvents {
  std::string Reports;
  void Idle() override { Reports += 'I'; }
  void Active() override { Reports += 'A'; }
};

// Looks at the idle time of a session with a 2-second idle time, as the X11 source makes them:
// each asks for the next when the idle time could first be reached, and once per idle time
// while idle.
TEST(IdleTimeLooks, ReportsIdleOnceAndTheUsersReturnByTheMomentOfTheLastInput) {
  TIdleTimeLooks looks(2000);
  TRecordedEvents events;
  EXPECT_EQ(looks.Look(10000, 500, events), 1500);
  EXPECT_EQ(looks.Look(11500, 2000, events), 2000);
  EXPECT_EQ(looks.Look(13500, 4000, events), 2000);  // still idle: nothing new
  EXPECT_EQ(events.Reports, "I");
  // Input at 13550, an idle time before the next look, which finds about the same idle time as
  // the last one did.
  EXPECT_EQ(looks.Look(15550, 2000, events), 2000);
  EXPECT_EQ(events.Reports, "IAI");
  // Input a moment after the look; the next finds less than the idle time.
  EXPECT_EQ(looks.Look(17550, 1000, events), 1000);
  EXPECT_EQ(events.Reports, "IAIA");
  // Idle again, and input at once after that look.
  EXPECT_EQ(looks.Look(18550, 2000, events), 2000);
  EXPECT_EQ(looks.Look(20550, 1950, events), 50);
  EXPECT_EQ(events.Reports, "IAIAIA");
}

}  // namespace
