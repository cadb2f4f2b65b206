#pragma once
// The DVD engine on the shared test disc, with the fakes of the windows it talks to, and what
// its tests read from the pictures it hands over.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>

#include "base/programpath.h"
#include "base/zdebug.h"
#include "components/graph/zgraph.h"
#include "config/config.h"
#include "dvdfakes.h"
#include "dvdmedia.h"
#include "playback/dvd/dvdengine.h"
#include "playlist/playlist.h"
#include "testsupport.h"
#include "testwatchdog.h"

// Near-white, as the subpicture's white comes out after colour conversion.
inline bool IsWhite(const QImage& frame, QPoint at) {
  const QColor color = frame.pixelColor(at);
  return color.red() > 220 && color.green() > 220 && color.blue() > 220;
}

// Keeps a picture in the test output for a person to look at.
inline void SaveFrame(const QImage& frame, const char* name) {
  const QString folder = TestOutputFolder() + QStringLiteral("/dvd/");
  QDir().mkpath(folder);
  EXPECT_TRUE(frame.save(folder + QLatin1String(name))) << name;
}

class DvdEngineTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ZGraphInit(); }

  void SetUp() override {
    const TestDvd* dvd = SharedTestDvd();
    ASSERT_NE(dvd, nullptr);
    dvd_ = *dvd;
    // A program folder of its own: no scripts unless the test writes them.
    SetProgramPath(programFolder_.path());
    SetZDebug(std::make_unique<TZDebug>(logFolder_.file(QStringLiteral("zephonic.log"))));
    engine_ = std::make_unique<TZDvdEngine>(config_, playlist_, view_, windows_);
  }
  void TearDown() override {
    engine_.reset();
    SetZDebug(nullptr);
  }

  std::optional<TZOpenError> Open(const QString& path) {
    const int index = playlist_.Add(QStringLiteral("Disc"), path, false, QString(), QString());
    return engine_->Open(mkDvd, *playlist_.Get(index));
  }

  // Opens the disc and waits until the navigator shows its menu with a button highlighted, as a
  // person sees it before choosing.
  void OpenMenu(const QString& path) {
    const std::optional<TZOpenError> error = Open(path);
    ASSERT_FALSE(error) << error->Id << " " << error->Detail.toStdString();
    ASSERT_TRUE(WaitWithEvents(
        [this] {
          return engine_->State().InMenu && view_.sink.Frames() > 0 && engine_->State().Button > 0;
        },
        5000))
        << "button " << engine_->State().Button;
  }

  // Starts a title through the jump menu and waits until it plays.
  void PlayTitle(int title) {
    ASSERT_TRUE(engine_->DvdPlayChapter(title, 1));
    ASSERT_TRUE(WaitWithEvents([&] { return engine_->State().Title == title; }, 8000))
        << "title " << engine_->State().Title;
  }

  QString Log() const {
    QFile file(logFolder_.file(QStringLiteral("zephonic.log")));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
  }

  TestDvd dvd_;

  // Every test here ends well within this, even on a loaded machine.
  TestWatchdog watchdog_{std::chrono::seconds(90)};
  ScratchFolder logFolder_;
  ScratchFolder programFolder_;
  TZConfig config_;
  TZPlaylist playlist_;
  FakeVideoView view_;
  FakePlayerWindows windows_;
  std::unique_ptr<TZDvdEngine> engine_;
};
