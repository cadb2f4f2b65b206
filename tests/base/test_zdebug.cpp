#include <gtest/gtest.h>

#include <QFile>

#include "base/zdebug.h"
#include "testsupport.h"

TEST(ZDebug, StartsFreshIndentsByTwoBlanksAndNeverBelowZero) {
  ScratchFolder dir;
  const QString path = dir.file("zephonic.log");
  WriteBytes(path, "old run\r\n");
  TZDebug log(path);
  EXPECT_FALSE(QFile::exists(path));
  log.Write("ZInitialize...");
  log.Indent();
  log.Indent();
  log.Indent();
  log.Write("deep");
  log.Unindent();
  log.Unindent();
  log.Unindent();
  log.Unindent();
  EXPECT_EQ(log.Level(), 0);
  log.WriteBlank();
  log.Write("top");
  EXPECT_EQ(ReadBytes(path), QByteArray("ZInitialize...\r\n      deep\r\n\r\ntop\r\n"));
}

TEST(ZDebug, UnwritableLogRaisesToTheCaller) {
  ScratchFolder dir;
  TZDebug log(PathBelowAFile(dir, "zephonic.log"));
  EXPECT_THROW(log.Write("x"), std::runtime_error);
  EXPECT_EQ(ReadBytes(dir.file("a-file")), "not a folder");
}

TEST(ZDebug, GlobalLogWritesOnlyWhileItExists) {
  ScratchFolder dir;
  ZLog("nobody listens");  // no log yet: nothing happens
  SetZDebug(std::make_unique<TZDebug>(dir.file("a.log")));
  ZLog("hello");
  SetZDebug(nullptr);
  ZLog("after");
  EXPECT_EQ(ReadBytes(dir.file("a.log")), QByteArray("hello\r\n"));
}
