// The lock and the hand-over between two starts, in one process: the second start runs on a
// thread of its own while the first's event loop answers.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLockFile>
#include <QUuid>
#include <future>

#include "app/singleinstance.h"
#include "base/text/textfile.h"
#include "base/zdebug.h"
#include "testsupport.h"

namespace {

QString UniqueName() {
  return QStringLiteral("zephonic-test-") + QUuid::createUuid().toString(QUuid::Id128);
}

// Runs the first instance's event loop until the second start has its answer.
TZHandOverResult HandOver(const QString& name, const QStringList& arguments, int connectMs = 3000) {
  auto result = std::async(
      std::launch::async, [&] { return SendToRunningInstance(name, arguments, connectMs, 10000); });
  while (result.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready) {
    QCoreApplication::processEvents();
  }
  return result.get();
}

}  // namespace

TEST(SingleInstance, SecondStartFindsTheLockAndHandsItsArgumentsOver) {
  const QString name = UniqueName();
  TZSingleInstance first(name);
  ASSERT_TRUE(first.TryLock());
  TZSingleInstance second(name);
  EXPECT_FALSE(second.TryLock());

  QList<QStringList> received;
  ASSERT_TRUE(first.Listen([&](const QStringList& arguments) { received << arguments; }));
  // Paths here are long: nothing is cut at 255 characters. Paths with blanks stay apart.
  const QStringList several = {"/play", "/home/u/" + QString(1000, u'x') + "/Müsik ♫.mp3",
                               "/home/u/a b.mp3", ""};
  EXPECT_EQ(HandOver(name, several), hoDelivered);
  EXPECT_EQ(HandOver(name, {}), hoDelivered);
  EXPECT_EQ(received, (QList<QStringList>{several, {}}));
}

TEST(SingleInstance, ArgumentsOverTheLimitAreRefusedWithALogLine) {
  ScratchFolder scratch;
  SetZDebug(std::make_unique<TZDebug>(scratch.file("zephonic.log")));
  const QString name = UniqueName();
  TZSingleInstance first(name);
  ASSERT_TRUE(first.TryLock());
  int handled = 0;
  ASSERT_TRUE(first.Listen([&](const QStringList&) { ++handled; }));
  EXPECT_EQ(HandOver(name, {QString(kMaxHandOverBytes, u'a')}), hoDelivered);
  EXPECT_EQ(HandOver(name, {QString(kMaxHandOverBytes + 1, u'a')}), hoRefused);
  EXPECT_EQ(handled, 1);
  QStringList lines;
  ASSERT_TRUE(ReadTextLines(scratch.file("zephonic.log"), &lines));
  EXPECT_TRUE(
      lines.contains(QStringLiteral("Hand-over of %1 bytes refused.").arg(kMaxHandOverBytes + 1)));
  SetZDebug(nullptr);
}

TEST(SingleInstance, NobodyListeningIsNoRecipient) {
  const QString name = UniqueName();
  TZSingleInstance first(name);
  ASSERT_TRUE(first.TryLock());
  QElapsedTimer clock;
  clock.start();
  EXPECT_EQ(HandOver(name, {"/add", "/x"}, 500), hoNoRecipient);
  EXPECT_LT(clock.elapsed(), 5000);
}

TEST(SingleInstance, LockOfAKilledProgramDoesNotBlockTheNextStart) {
  const QString name = UniqueName();
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    QLockFile lock(InstanceLockFile(name));
    // Ends without unlocking, as a killed program does.
    _exit(lock.tryLock(0) ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  ASSERT_TRUE(QFile::exists(InstanceLockFile(name)));
  TZSingleInstance next(name);
  EXPECT_TRUE(next.TryLock());
}
