// The player's timers on the hand-driven clock and on Qt's event loop.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <string>

#include "playback/playertimer.h"

TEST(ManualClock, FiresInDueOrderAndHonoursChangesMadeByHandlers) {
  TZManualClock clock;
  std::string fired;
  std::unique_ptr<TZTimer> once;
  const auto slow = clock.CreateTimer([&] { fired += 'S'; });
  const auto fast = clock.CreateTimer([&] {
    fired += 'F';
    if (fired.size() == 1) {
      once->Start(5);  // due at 15, before the slow timer's 20
    }
  });
  once = clock.CreateTimer([&] {
    fired += 'O';
    once->Stop();
  });
  slow->Start(20);
  fast->Start(10);
  clock.Advance(45);
  // 10 F, 15 O, 20 S and F (ties in creation order), 30 F, 40 S and F.
  EXPECT_EQ(fired, "FOSFFSF");
  EXPECT_EQ(clock.Now(), 45);
  EXPECT_FALSE(once->IsActive());
  EXPECT_EQ(fast->Interval(), 10);
}

TEST(QtTimers, RunOnTheEventLoopAtTheirIntervalUntilStopped) {
  TZQtTimerSource source;
  QEventLoop loop;
  int ticks = 0;
  const auto timer = source.CreateTimer([&] {
    if (++ticks == 5) {
      loop.quit();
    }
  });
  // A loaded machine only makes the ticks late: the guard fails a timer that never fires, and
  // five ticks can never come before four intervals have passed.
  bool guardFired = false;
  QTimer::singleShot(60000, &loop, [&] {
    guardFired = true;
    loop.quit();
  });
  QElapsedTimer clock;
  clock.start();
  timer->Start(10);
  loop.exec();
  const qint64 elapsed = clock.elapsed();
  timer->Stop();
  EXPECT_FALSE(guardFired);
  EXPECT_EQ(ticks, 5);
  EXPECT_GE(elapsed, 40);
  EXPECT_FALSE(timer->IsActive());

  // Stopped, it stays quiet however long the loop runs.
  QEventLoop after;
  QTimer::singleShot(50, &after, &QEventLoop::quit);
  after.exec();
  EXPECT_EQ(ticks, 5);
}
