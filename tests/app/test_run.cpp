// Starts the built program the way a script does: in a scratch program folder, without a person
// (reports on standard error, offscreen windows), and closes it with a signal.
#include <gtest/gtest.h>
#include <signal.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include "logcheck.h"
#include "printers.h"
#include "testsupport.h"

namespace {

const QString kProgram = QStringLiteral(ZEPHONIC_EXE);

// The first run builds GStreamer's plugin registry, which can take a while on a fresh machine.
constexpr int kStartTimeoutMs = 120000;

QProcessEnvironment Unattended(const QString& home) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("ZEPHONIC_HOME", home);
  env.insert("ZEPHONIC_REPORT", "stderr");
  env.insert("QT_QPA_PLATFORM", "offscreen");
  // Neither the keyboard hook nor desktop media control: the log is the same on every machine.
  env.remove("DISPLAY");
  env.remove("DBUS_SESSION_BUS_ADDRESS");
  return env;
}

class Zephonic {
 public:
  explicit Zephonic(const QProcessEnvironment& env)
      : logPath_(env.value("ZEPHONIC_HOME") + "/zephonic.log") {
    process_.setProcessEnvironment(env);
    process_.start(kProgram, {});
    EXPECT_TRUE(process_.waitForStarted(10000)) << kProgram.toStdString();
  }
  ~Zephonic() {
    if (process_.state() != QProcess::NotRunning) {
      process_.kill();
      process_.waitForFinished(10000);
    }
  }

  // True once the log holds the line, false when the program ended or time ran out first.
  bool WaitForLogLine(const QString& line) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < kStartTimeoutMs) {
      QStringList lines;
      if (ReadTextLines(logPath_, &lines) && lines.contains(line)) {
        return true;
      }
      if (process_.waitForFinished(50)) {
        return false;
      }
    }
    return false;
  }

  // Sends the signal and waits for the end; the exit code, or -1 when it did not end normally.
  int Stop(int signal) {
    ::kill(static_cast<pid_t>(process_.processId()), signal);
    return Finish();
  }

  int Finish() {
    EXPECT_TRUE(process_.waitForFinished(60000));
    stderr_ = QString::fromUtf8(process_.readAllStandardError());
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
  }

  const QString& Stderr() const { return stderr_; }

 private:
  QString logPath_;
  QProcess process_;
  QString stderr_;
};

void ExpectSavedFiles(const ScratchFolder& home) {
  for (const char* file : {"config.zcfg", "dsgraphs.lst", "hotkeys.zkeys", "default.zpl"}) {
    EXPECT_TRUE(QFile::exists(home.file(QStringLiteral("data/") + file))) << file;
  }
}

void ReplaceInFile(const QString& path, const QByteArray& from, const QByteArray& to) {
  QByteArray bytes = ReadBytes(path);
  ASSERT_TRUE(bytes.contains(from)) << from.toStdString();
  WriteBytes(path, bytes.replace(from, to));
}

}  // namespace

TEST(ProgramRun, FirstRunSetsUpTheFolderAndSigtermSavesEverything) {
  ScratchFolder home;
  {
    Zephonic zephonic(Unattended(home.path()));
    ASSERT_TRUE(zephonic.WaitForLogLine("Running"));
    EXPECT_EQ(zephonic.Stop(SIGTERM), 0) << zephonic.Stderr().toStdString();
  }
  for (const char* folder :
       {"data", "data/skins", "data/languages", "data/presets", "data/images", "data/output",
        "data/dvdgraphs", "data/dsgraphs", "data/icons", "data/codecs"}) {
    EXPECT_TRUE(QDir(home.file(folder)).exists()) << folder;
  }
  ExpectLogLines(ReadLog(home.file("zephonic.log")), ProgramFirstRunLog(home.path()));
  ExpectSavedFiles(home);

  // A setting edited by hand is read by the next run and written back at its end.
  const QString config = home.file("data/config.zcfg");
  ReplaceInFile(config, "Volume [ 5000 ]", "Volume [ 777 ]");
  ReplaceInFile(config, "Balance [ 100 ]", "Balance [ 50 ]");
  // Waiting for "Running" must not find the first run's log.
  QFile::remove(home.file("zephonic.log"));
  {
    Zephonic zephonic(Unattended(home.path()));
    ASSERT_TRUE(zephonic.WaitForLogLine("Running"));
    EXPECT_EQ(zephonic.Stop(SIGINT), 0) << zephonic.Stderr().toStdString();
  }
  const QStringList log = ReadLog(home.file("zephonic.log"));
  for (const char* line : {"  Configurationfile loaded OK.", "  DS Graphs file loaded OK.",
                           "  Hotkeys loaded file OK.", "  Playlist loaded OK."}) {
    EXPECT_TRUE(log.contains(line)) << line;
  }
  EXPECT_TRUE(log.last().startsWith("ZKill complete [ "));
  const QByteArray saved = ReadBytes(config);
  EXPECT_TRUE(saved.contains("Volume [ 777 ]\r\n"));
  EXPECT_TRUE(saved.contains("Balance [ 50 ]\r\n"));
}

TEST(ProgramRun, FatalStartUpReportStillLetsShutdownSaveTheFiles) {
  ScratchFolder home;
  QDir().mkpath(home.file("no-plugins"));
  QProcessEnvironment env = Unattended(home.path());
  // A video layer without its plugins: the start-up check fails fatally.
  env.insert("GST_PLUGIN_SYSTEM_PATH_1_0", home.file("no-plugins"));
  env.insert("GST_PLUGIN_PATH_1_0", home.file("no-plugins"));
  env.insert("GST_REGISTRY_1_0", home.file("registry.bin"));
  Zephonic zephonic(env);
  EXPECT_EQ(zephonic.Finish(), 1);
  EXPECT_TRUE(zephonic.Stderr().contains("Zephonic runtime exception:"));
  EXPECT_TRUE(zephonic.Stderr().contains("ID: 3002\r\nClass: TZDirectX"));
  const QStringList log = ReadLog(home.file("zephonic.log"));
  EXPECT_TRUE(log.contains("  DirectX not found."));
  EXPECT_TRUE(log.contains("Running"));  // start-up ran all of its steps
  EXPECT_TRUE(log.contains("  Configurationfile saved OK"));
  EXPECT_TRUE(log.last().startsWith("ZKill complete [ "));
  ExpectSavedFiles(home);
}

TEST(ProgramRun, WithoutADisplayItSaysSoAndEnds) {
  ScratchFolder home;
  QProcessEnvironment env = Unattended(home.path());
  env.remove("QT_QPA_PLATFORM");
  env.remove("DISPLAY");
  env.remove("WAYLAND_DISPLAY");
  QProcess process;
  process.setProcessEnvironment(env);
  process.start(kProgram, {});
  ASSERT_TRUE(process.waitForFinished(30000));
  EXPECT_NE(process.exitCode(), 0);
  EXPECT_TRUE(process.readAllStandardError().contains("no display"));
  EXPECT_FALSE(QFile::exists(home.file("zephonic.log")));
}
