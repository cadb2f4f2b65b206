// The built program started several times as a person or the file manager would: under Xvfb,
// in a program folder of the test's own, without anybody to answer dialogs.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLockFile>
#include <QProcess>
#include <QThread>

#include "app/singleinstance.h"
#include "base/text/textfile.h"
#include "playlist/playlistfiles.h"
#include "testsupport.h"

namespace {

const QString kProgram = QStringLiteral(ZEPHONIC_EXE);
constexpr int kStartMs = 120000;

// A virtual X server for the test's lifetime.
class VirtualDisplay {
 public:
  VirtualDisplay() {
    server_.start("Xvfb", {"-displayfd", "1", "-screen", "0", "640x480x24", "-nolisten", "tcp"});
    EXPECT_TRUE(server_.waitForStarted(10000));
    QByteArray number;
    QElapsedTimer clock;
    clock.start();
    while (!number.contains('\n') && clock.elapsed() < 20000) {
      server_.waitForReadyRead(200);
      number += server_.readAllStandardOutput();
    }
    display_ = ":" + QString::fromLatin1(number.trimmed());
    EXPECT_NE(display_, ":") << "Xvfb gave no display number";
  }
  ~VirtualDisplay() {
    server_.terminate();
    server_.waitForFinished(5000);
  }
  const QString& name() const { return display_; }

  // The whole screen as a PNG, taken by ffmpeg's X11 grabber.
  QImage Grab(const QString& path) const {
    EXPECT_EQ(RunProgram("ffmpeg", {"-loglevel", "error", "-y", "-f", "x11grab", "-video_size",
                                    "640x480", "-i", display_, "-frames:v", "1", path}),
              0);
    return QImage(path);
  }

 private:
  QProcess server_;
  QString display_;
};

class ProgramRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QDir().mkpath(runtime());
    QFile::setPermissions(runtime(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QDir().mkpath(music());
    QDir().mkpath(home());
  }

  QString home() const { return scratch_.file("home/"); }
  QString runtime() const { return scratch_.file("run"); }
  QString music() const { return scratch_.file("music/"); }

  QProcessEnvironment Environment(const QString& display) const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ZEPHONIC_HOME", home());
    env.insert("ZEPHONIC_REPORT", "stderr");
    env.insert("SDL_AUDIODRIVER", "dummy");
    env.insert("XDG_RUNTIME_DIR", runtime());
    if (display.isEmpty()) {
      env.insert("QT_QPA_PLATFORM", "offscreen");
    } else {
      env.insert("QT_QPA_PLATFORM", "xcb");
      env.insert("DISPLAY", display);
    }
    return env;
  }

  void Start(QProcess& process, const QStringList& arguments, const QString& display) const {
    process.setProcessEnvironment(Environment(display));
    process.setWorkingDirectory(music());
    process.start(kProgram, arguments);
    ASSERT_TRUE(process.waitForStarted(10000));
  }

  // Exit code of a run that must end by itself; -1 when it crashed or hung.
  int Finish(QProcess& process, int ms = 60000) const {
    if (!process.waitForFinished(ms)) {
      process.kill();
      process.waitForFinished(5000);
      return -1;
    }
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  }

  // The log's lines without their indentation.
  QStringList Log() const {
    QStringList lines;
    ReadTextLines(home() + "zephonic.log", &lines);
    for (QString& line : lines) {
      line = line.trimmed();
    }
    return lines;
  }

  bool WaitForLog(const QString& line, QProcess& process) const {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < kStartMs) {
      if (Log().contains(line)) {
        return true;
      }
      if (process.waitForFinished(50)) {
        return false;
      }
    }
    return false;
  }

  QString Mp3(const QString& name, int seconds) const {
    const QString path = music() + name;
    QDir().mkpath(QFileInfo(path).path());
    EXPECT_EQ(RunProgram("ffmpeg", {"-loglevel", "error", "-y", "-f", "lavfi", "-i",
                                    QStringLiteral("sine=frequency=440:duration=%1").arg(seconds),
                                    "-b:a", "192k", path}),
              0);
    return path;
  }

  ScratchFolder scratch_;
};

QStringList PlaylistFiles(const QString& zpl) {
  TZPlaylist playlist;
  EXPECT_EQ(ReadZplFile(zpl, playlist, true), prLoaded);
  QStringList files;
  for (int i = 0; i < playlist.Count(); ++i) {
    files << playlist.Get(i)->FileName;
  }
  return files;
}

}  // namespace

TEST_F(ProgramRunTest, PlayThenAddFromASecondStartThenExitFromAThird) {
  VirtualDisplay display;
  // A caption longer than the title label, so that the title scrolls.
  const QString song = Mp3("A song whose title is longer than the label.mp3", 30);
  const QString added = Mp3("more/b.mp3", 2);
  const QString deeper = Mp3("more/sub/c.mp3", 2);

  QProcess first;
  Start(first, {"/play", QFileInfo(song).fileName()}, display.name());
  ASSERT_TRUE(WaitForLog("FileName: " + song, first)) << first.readAllStandardError().data();
  EXPECT_TRUE(Log().contains("Playing..."));

  // The main window playing: title, analyser and time move between two pictures.
  const QString output = TestOutputFolder() + "/mainwindow/";
  QDir().mkpath(output);
  QThread::msleep(1500);
  const QImage before = display.Grab(output + "playing-1.png");
  QThread::msleep(1200);
  const QImage after = display.Grab(output + "playing-2.png");
  ASSERT_FALSE(before.isNull());
  ASSERT_EQ(before.size(), after.size());
  EXPECT_NE(before, after) << "nothing on the screen moved while playing";

  QProcess second;
  Start(second, {"/add", "more"}, display.name());
  EXPECT_EQ(Finish(second), 0) << second.readAllStandardError().data();
  EXPECT_EQ(first.state(), QProcess::Running);
  EXPECT_EQ(Log().count("Playing..."), 1) << "the first keeps playing its song";
  EXPECT_FALSE(Log().contains("Stopped.") &&
               Log().lastIndexOf("Stopped.") > Log().lastIndexOf("FileName: " + song));

  QProcess third;
  Start(third, {"Exit"}, display.name());
  EXPECT_EQ(Finish(third), 0) << third.readAllStandardError().data();
  EXPECT_EQ(Finish(first), 0) << first.readAllStandardError().data();
  for (const char* file : {"config.zcfg", "dsgraphs.lst", "hotkeys.zkeys", "default.zpl"}) {
    EXPECT_TRUE(QFile::exists(home() + "data/" + file)) << file;
  }
  QStringList files = PlaylistFiles(home() + "data/default.zpl");
  ASSERT_EQ(files.size(), 3);
  EXPECT_EQ(files.takeFirst(), song);
  files.sort();
  EXPECT_EQ(files, (QStringList{added, deeper}));
  EXPECT_TRUE(Log().contains("Playlist saved OK"));
}

TEST_F(ProgramRunTest, LockHeldByAProgramThatDoesNotAnswerIsNoRecipient) {
  qputenv("XDG_RUNTIME_DIR", runtime().toUtf8());
  QLockFile lock(InstanceLockFile(InstanceName(home())));
  ASSERT_TRUE(lock.tryLock(0));
  QProcess second;
  Start(second, {"/add", "more"}, QString());
  EXPECT_EQ(Finish(second, 30000), 1);
  EXPECT_TRUE(second.readAllStandardError().contains("No Recipient found!"));
  EXPECT_FALSE(QFile::exists(home() + "zephonic.log")) << "a second start writes no log";
}

TEST_F(ProgramRunTest, ExitAsTheFirstStartsOnlyArgumentEndsItWithEverythingSaved) {
  QProcess only;
  Start(only, {"Exit"}, QString());
  EXPECT_EQ(Finish(only), 0) << only.readAllStandardError().data();
  EXPECT_TRUE(Log().contains("Running"));
  EXPECT_TRUE(Log().contains("Configurationfile saved OK"));
  EXPECT_TRUE(QFile::exists(home() + "data/default.zpl"));
}
