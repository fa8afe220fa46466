// One-shot delay timers on the virtual clock: the first request sets the moment, the timer ends
// before its work runs (so the work may arm it again), Fire runs pending work early, Stop and
// destruction drop it.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/testkit/Testkit.h"
#include "platform/ui/DelayTimer.h"

namespace kel {
namespace {

class DelayTimerTest : public ::testing::Test {
 protected:
  void SetUp() override { Start = GetTickCount(); }
  // Arms the timer with work that logs the tick it ran at; answers what Arm answered.
  bool ArmLogged(TDelayTimer& Timer, Cardinal Interval) {
    return Timer.Arm(Interval, [this] { Runs.push_back(GetTickCount() - Start); });
  }

  DWord Start = 0;
  std::vector<DWord> Runs;  // ticks after Start at which work ran
};

TEST_F(DelayTimerTest, RunsOnceAfterTheIntervalOfTheFirstRequest) {
  TDelayTimer timer;
  const int timersBefore = Application->TimerCount();
  EXPECT_TRUE(ArmLogged(timer, 200));
  EXPECT_TRUE(timer.Pending());
  EXPECT_EQ(Application->TimerCount(), timersBefore + 1);
  testkit::AdvanceTime(199);
  EXPECT_TRUE(Runs.empty());
  int otherWork = 0;  // a later request joins the pending one
  EXPECT_FALSE(timer.Arm(50, [&otherWork] { ++otherWork; }));
  testkit::AdvanceTime(1);
  EXPECT_EQ(Runs, std::vector<DWord>{200});
  EXPECT_EQ(otherWork, 0);
  EXPECT_FALSE(timer.Pending());
  EXPECT_EQ(Application->TimerCount(), timersBefore);
  testkit::AdvanceTime(1000);
  EXPECT_EQ(Runs.size(), 1u);
}

TEST_F(DelayTimerTest, WorkMayArmItsTimerAgain) {
  TDelayTimer timer;
  int rounds = 0;
  std::function<void()> work = [&] {
    Runs.push_back(GetTickCount() - Start);
    if (++rounds < 3) {
      EXPECT_TRUE(timer.Arm(100, work));
    }
  };
  timer.Arm(100, work);
  testkit::AdvanceTime(1000);
  EXPECT_EQ(Runs, (std::vector<DWord>{100, 200, 300}));
  EXPECT_FALSE(timer.Pending());
}

TEST_F(DelayTimerTest, FireRunsPendingWorkAtOnceAndStopOrDestructionDropIt) {
  TDelayTimer timer;
  EXPECT_FALSE(timer.Fire());
  ArmLogged(timer, 200);
  testkit::AdvanceTime(20);
  EXPECT_TRUE(timer.Fire());
  EXPECT_EQ(Runs, std::vector<DWord>{20});
  ArmLogged(timer, 100);
  timer.Stop();
  EXPECT_FALSE(timer.Pending());
  const int timersBefore = Application->TimerCount();
  {
    TDelayTimer destroyed;
    ArmLogged(destroyed, 100);
  }
  EXPECT_EQ(Application->TimerCount(), timersBefore);
  testkit::AdvanceTime(500);
  EXPECT_EQ(Runs, std::vector<DWord>{20});
}

TEST_F(DelayTimerTest, WorkMayFreeTheTimer) {
  auto timer = std::make_unique<TDelayTimer>();
  timer->Arm(100, [&] {
    timer.reset();
    Runs.push_back(GetTickCount() - Start);
  });
  testkit::AdvanceTime(200);
  EXPECT_EQ(Runs, std::vector<DWord>{100});
  EXPECT_EQ(timer, nullptr);
}

}  // namespace
}  // namespace kel
