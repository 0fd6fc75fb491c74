#include "game/qt_timers.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QtTest/QTest>
#include <map>

namespace velune {
namespace {

class QtTimersTest : public ::testing::Test {
 protected:
  std::map<TimerId, int> ticks_;
  std::function<void(TimerId)> during_tick_;
  QtTimers timers_{[this](TimerId id) {
    ++ticks_[id];
    if (during_tick_) during_tick_(id);
  }};
};

TEST_F(QtTimersTest, NoTicksAtIntervalZeroWhileDisabledOrAfterStopAll) {
  timers_.Arm(TimerId::kTimIve, true, 0);  // enabled, but at interval 0
  EXPECT_FALSE(timers_.Ticking(TimerId::kTimIve));
  timers_.Arm(TimerId::kTimQst, true, 5);
  timers_.Arm(TimerId::kTimQst, false, 5);
  timers_.Arm(TimerId::kBgmCheck, true, 5);
  timers_.StopAll();
  timers_.Arm(TimerId::kTimIve, true, 5);  // after StopAll nothing ticks, whatever is armed
  QTest::qWait(60);
  EXPECT_TRUE(ticks_.empty());
}

TEST_F(QtTimersTest, EveryArmingStartsTheCountAfresh) {
  QElapsedTimer clock;
  clock.start();
  timers_.Arm(TimerId::kTimIve, true, 300);
  QTest::qWait(180);
  const qint64 rearmed_at = clock.elapsed();
  timers_.Arm(TimerId::kTimIve, true, 300);  // the same values: still a fresh start
  QTest::qWait(180);
  if (rearmed_at >= 300 || clock.elapsed() - rearmed_at >= 300) GTEST_SKIP() << "too slow";
  EXPECT_EQ(ticks_[TimerId::kTimIve], 0);  // 360 ms since the first arming, 180 since the second
  EXPECT_TRUE(QTest::qWaitFor([&] { return ticks_[TimerId::kTimIve] == 1; }, 2000));
}

// A tick that runs a nested event loop (a message box) is not entered again meanwhile;
// every timer ticks on at its interval.
TEST_F(QtTimersTest, TicksNeverOverlapARunningTick) {
  int depth = 0, deepest = 0;
  during_tick_ = [&](TimerId id) {
    deepest = std::max(deepest, ++depth);
    if (id == TimerId::kTimIve && ticks_[id] == 1) QTest::qWait(80);
    --depth;
  };
  timers_.Arm(TimerId::kTimIve, true, 5);
  timers_.Arm(TimerId::kTimQst, true, 5);
  QTest::qWait(200);
  EXPECT_EQ(deepest, 1);
  EXPECT_GT(ticks_[TimerId::kTimIve], 1);
  EXPECT_GT(ticks_[TimerId::kTimQst], 0);
}

}  // namespace
}  // namespace velune
