// The built program as the desktop sees it: started with a song, it is found on the session bus
// under its MPRIS name, follows playerctl's commands and ends when the desktop asks it to quit.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <functional>

#include "base/text/textfile.h"
#include "testsupport.h"

namespace {

constexpr int kStartMs = 120000;

class WiredProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(qgetenv("DBUS_SESSION_BUS_ADDRESS").isEmpty()) << "run under dbus-run-session";
    QDir().mkpath(scratch_.file("home"));
    QDir().mkpath(scratch_.file("run"));
    QFile::setPermissions(scratch_.file("run"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  }

  QString Home() const { return scratch_.file("home/"); }

  void Start(QProcess& program, const QStringList& arguments) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ZEPHONIC_HOME", Home());
    env.insert("ZEPHONIC_REPORT", "stderr");
    env.insert("SDL_AUDIODRIVER", "dummy");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_RUNTIME_DIR", scratch_.file("run"));
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(scratch_.path());
    program.start(QStringLiteral(ZEPHONIC_EXE), arguments);
    ASSERT_TRUE(program.waitForStarted(10000));
  }

  QStringList Log() const {
    QStringList lines;
    ReadTextLines(Home() + "zephonic.log", &lines);
    for (QString& line : lines) {
      line = line.trimmed();
    }
    return lines;
  }

  // Polls `probe` until it holds; false when the program ended or the time ran out first.
  static bool Until(QProcess& program, const std::function<bool()>& probe) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < kStartMs) {
      if (probe()) {
        return true;
      }
      if (program.waitForFinished(100)) {
        return false;
      }
    }
    return false;
  }

  static QString Playerctl(const QStringList& arguments) {
    QString output;
    RunProgram("playerctl", QStringList{"-p", "zephonic"} + arguments, &output);
    return output.trimmed();
  }

  ScratchFolder scratch_;
};

}  // namespace

TEST_F(WiredProgramTest, DesktopControlDrivesThePlayerAndQuitsTheProgram) {
  const QString song = scratch_.file("song.mp3");
  ASSERT_EQ(RunProgram("ffmpeg", {"-loglevel", "error", "-y", "-f", "lavfi", "-i",
                                  "sine=frequency=440:duration=30", "-b:a", "128k", song}),
            0);
  QProcess program;
  Start(program, {"/play", song});
  ASSERT_TRUE(Until(program, [&] { return Log().contains("FileName: " + song); }))
      << program.readAllStandardError().data();
  ASSERT_TRUE(Until(program, [&] { return Playerctl({"status"}) == "Playing"; }))
      << program.readAllStandardError().data();

  Playerctl({"pause"});
  EXPECT_TRUE(Until(program, [&] { return Playerctl({"status"}) == "Paused"; }));

  EXPECT_EQ(RunProgram("dbus-send",
                       {"--session", "--print-reply", "--dest=org.mpris.MediaPlayer2.zephonic",
                        "/org/mpris/MediaPlayer2", "org.mpris.MediaPlayer2.Quit"}),
            0);
  ASSERT_TRUE(program.waitForFinished(60000)) << "the program did not quit";
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().data();
  // A quit from the desktop is an ordinary end: the configuration was written.
  EXPECT_TRUE(QFile::exists(Home() + "data/config.zcfg"));
}
