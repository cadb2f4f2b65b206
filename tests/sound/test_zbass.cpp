// The sound system's start-up and shutdown steps: log lines, the device list and error 201.

#include <QFile>

#include "base/errorcatalogue.h"
#include "base/zdebug.h"
#include "playback/zbass.h"
#include "soundtest.h"

namespace {

class ZBassTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseDummyAudioDriver();
    SetZDebug(std::make_unique<TZDebug>(scratch_.file("zephonic.log")));
  }
  void TearDown() override {
    SetZDebug(nullptr);
    ResetTerminationRequest();
  }
  QString Log() const {
    QFile file(scratch_.file("zephonic.log"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
  }

  ScratchFolder scratch_;
};

TEST_F(ZBassTest, StartsWithSpeakerAssignmentAndStops) {
  QStringList devices{"stale"};
  const int speakers = ZBassInitialize(1, &devices);
  ASSERT_GE(speakers, 2);
  EXPECT_FALSE(devices.isEmpty());
  EXPECT_NE(devices.first(), "stale");
  EXPECT_TRUE(
      Log().contains(QString("BASS Soundsystem initialize OK, (%1 speakers).\r\n").arg(speakers)));
  ZBassFree();
  EXPECT_TRUE(Log().endsWith("BASS Soundsystem deinitialize OK\r\n"));
  EXPECT_FALSE(TerminationRequested());
}

TEST_F(ZBassTest, NoUsableDeviceReportsFatalError201) {
  ReportCapture reports;
  QStringList devices;
  EXPECT_EQ(ZBassInitialize(999, &devices), -1);
  ASSERT_EQ(reports.reports().size(), 1u);
  EXPECT_TRUE(reports.reports()[0].fatal);
  EXPECT_TRUE(reports.reports()[0].text.contains("Can't initialize digital sound system"));
  EXPECT_FALSE(Log().contains("initialize OK"));
  ZBassFree();  // shutdown still runs and logs after a failed start
  EXPECT_TRUE(Log().contains("BASS Soundsystem deinitialize OK"));
}

}  // namespace
