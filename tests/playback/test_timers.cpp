// The player's timers on the hand-driven clock and on Qt's event loop.

#include <gtest/gtest.h>

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

TEST(QtTimers, RunOnTheEventLoop) {
  TZQtTimerSource source;
  int ticks = 0;
  const auto timer = source.CreateTimer([&] { ++ticks; });
  timer->Start(10);
  QEventLoop loop;
  QTimer::singleShot(200, &loop, &QEventLoop::quit);
  loop.exec();
  timer->Stop();
  EXPECT_GE(ticks, 5);
  EXPECT_LE(ticks, 21);
  EXPECT_FALSE(timer->IsActive());
}
