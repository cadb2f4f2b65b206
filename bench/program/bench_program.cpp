// bench_program [seconds]: plays a 60 s 192 kb/s MP3 in Zephonic and in Qmmp's skinned interface
// (null output) on the same Xvfb screen and prints CPU per second of playback and peak memory of
// both, then Zephonic idle, its start-up times and the hand-over round trip of a second start.
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <cstdlib>

#include "benchtiming.h"

namespace {

const QString kZephonic = QStringLiteral(ZEPHONIC_EXE);

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "bench_program: %s\n", what);
  std::exit(1);
}

// CPU seconds (user + system) a process used so far.
double CpuSeconds(qint64 pid) {
  QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
  if (!stat.open(QIODevice::ReadOnly)) {
    Fail("cannot read /proc/<pid>/stat");
  }
  const QByteArray line = stat.readAll();
  // Fields after the command name, which ends with the last ')'.
  const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
  const double ticks = fields.at(11).toDouble() + fields.at(12).toDouble();
  return ticks / double(sysconf(_SC_CLK_TCK));
}

// Peak resident memory in MB.
double PeakRssMb(qint64 pid) {
  QFile status(QStringLiteral("/proc/%1/status").arg(pid));
  if (!status.open(QIODevice::ReadOnly)) {
    Fail("cannot read /proc/<pid>/status");
  }
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("VmHWM:")) {
      return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
  }
  Fail("no VmHWM");
}

struct Usage {
  double cpuPercent;  // of one core
  double peakMb;
};

// CPU share over `seconds` of a running process, after it had `settle` seconds.
Usage Measure(QProcess& process, int settleMs, int seconds) {
  QThread::msleep(settleMs);
  const qint64 pid = process.processId();
  const double before = CpuSeconds(pid);
  QElapsedTimer clock;
  clock.start();
  QThread::msleep(seconds * 1000);
  const double used = CpuSeconds(pid) - before;
  const Usage usage{100.0 * used / (clock.elapsed() / 1000.0), PeakRssMb(pid)};
  if (process.state() != QProcess::Running) {
    Fail("the program ended while measured");
  }
  return usage;
}

void Stop(QProcess& process) {
  process.terminate();
  if (!process.waitForFinished(20000)) {
    process.kill();
    process.waitForFinished(5000);
  }
}

class Xvfb {
 public:
  Xvfb() {
    server_.start("Xvfb", {"-displayfd", "1", "-screen", "0", "800x600x24", "-nolisten", "tcp"});
    QByteArray number;
    while (server_.waitForReadyRead(10000) && !number.contains('\n')) {
      number += server_.readAllStandardOutput();
    }
    if (number.trimmed().isEmpty()) {
      Fail("Xvfb did not start");
    }
    display_ = ":" + QString::fromLatin1(number.trimmed());
  }
  ~Xvfb() { Stop(server_); }
  const QString& display() const { return display_; }

 private:
  QProcess server_;
  QString display_;
};

class Bench {
 public:
  explicit Bench(int seconds) : seconds_(seconds) {
    QDir(root()).mkpath("zephonic");
    QDir(root()).mkpath("qmmp/.qmmp");
    QDir(root()).mkpath("run");
    QFile::setPermissions(root() + "run",
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    song_ = root() + "A song whose title is longer than the label.mp3";
    if (QProcess::execute("ffmpeg", {"-loglevel", "error", "-y", "-f", "lavfi", "-i",
                                     "sine=frequency=440:duration=60", "-b:a", "192k", song_}) !=
        0) {
      Fail("ffmpeg could not make the MP3");
    }
    QDir(root()).mkpath("folder");
    QFile::copy(song_, root() + "folder/b.mp3");
    QFile rc(root() + "qmmp/.qmmp/qmmprc");
    rc.open(QIODevice::WriteOnly);
    rc.write("[Output]\ncurrent_plugin=null\n\n[Ui]\ncurrent_plugin=skinned\n");
  }

  QString root() const { return dir_.path() + "/"; }

  QProcessEnvironment Environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", xvfb_.display());
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("XDG_RUNTIME_DIR", root() + "run");
    env.insert("ZEPHONIC_HOME", root() + "zephonic");
    env.insert("ZEPHONIC_REPORT", "stderr");
    env.insert("SDL_AUDIODRIVER", "dummy");
    return env;
  }

  void StartZephonic(QProcess& process, const QStringList& arguments) const {
    process.setProcessEnvironment(Environment());
    process.start(kZephonic, arguments);
    if (!process.waitForStarted(10000)) {
      Fail("zephonic did not start");
    }
  }

  QString Log() const {
    QFile log(root() + "zephonic/zephonic.log");
    return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
  }

  void WaitForLog(const QString& text) const {
    QElapsedTimer clock;
    clock.start();
    while (!Log().contains(text)) {
      if (clock.elapsed() > 120000) {
        Fail("the log line never came");
      }
      QThread::msleep(20);
    }
  }

  Usage Zephonic() {
    QProcess process;
    StartZephonic(process, {"/play", song_});
    WaitForLog("Playing...");
    const Usage usage = Measure(process, 1000, seconds_);
    Stop(process);
    return usage;
  }

  Usage Qmmp() {
    QProcess process;
    QProcessEnvironment env = Environment();
    env.insert("HOME", root() + "qmmp");
    process.setProcessEnvironment(env);
    process.start("qmmp", {song_});
    if (!process.waitForStarted(10000)) {
      Fail("qmmp did not start");
    }
    const Usage usage = Measure(process, 3000, seconds_);
    Stop(process);
    return usage;
  }

  // Idle with the windows shown; also the start-up figures of that run.
  Usage Idle(double* initializeMs, double* shownMs) {
    QFile::remove(root() + "zephonic/zephonic.log");
    QProcess process;
    QElapsedTimer clock;
    clock.start();
    StartZephonic(process, {});
    QProcess search;
    search.setProcessEnvironment(Environment());
    search.start("xdotool", {"search", "--sync", "--onlyvisible", "--name", "^Zephonic_Main$"});
    if (!search.waitForFinished(60000) || search.exitCode() != 0) {
      Fail("the main window never showed");
    }
    *shownMs = double(clock.elapsed());
    WaitForLog("Running");
    const QRegularExpressionMatch match =
        QRegularExpression("ZInitialize complete \\[ ([0-9.]+) msecs \\]").match(Log());
    *initializeMs = match.captured(1).toDouble();
    const Usage usage = Measure(process, 2000, std::min(seconds_, 10));
    handOverMs_ = HandOver();
    Stop(process);
    return usage;
  }

  double handOverMs() const { return handOverMs_; }

 private:
  // A second start with "/add": from its start to its end, the first having added the folder.
  double HandOver() const {
    std::vector<double> times;
    for (int run = 0; run < 5; ++run) {
      times.push_back(Time<std::milli>([this] {
        QProcess second;
        StartZephonic(second, {"/add", root() + "folder"});
        if (!second.waitForFinished(30000) || second.exitCode() != 0) {
          Fail("the hand-over failed");
        }
      }));
    }
    return Median(times);
  }

  int seconds_;
  QTemporaryDir dir_;
  Xvfb xvfb_;
  QString song_;
  double handOverMs_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int seconds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 30;
  Bench bench(seconds);
  const Usage zephonic = bench.Zephonic();
  const Usage qmmp = bench.Qmmp();
  double initializeMs = 0;
  double shownMs = 0;
  const Usage idle = bench.Idle(&initializeMs, &shownMs);
  std::printf("Playing a 60 s 192 kb/s MP3 under Xvfb, measured over %d s:\n", seconds);
  std::printf("  zephonic: CPU %6.2f %% of a core, peak RSS %6.1f MB\n", zephonic.cpuPercent,
              zephonic.peakMb);
  std::printf("  qmmp    : CPU %6.2f %% of a core, peak RSS %6.1f MB\n", qmmp.cpuPercent,
              qmmp.peakMb);
  std::printf("  ratio zephonic/qmmp: CPU %.2f, RSS %.2f\n", zephonic.cpuPercent / qmmp.cpuPercent,
              zephonic.peakMb / qmmp.peakMb);
  std::printf("Idle, windows shown: CPU %.2f %% of a core (aim below 0.5), peak RSS %.1f MB\n",
              idle.cpuPercent, idle.peakMb);
  std::printf("ZInitialize with the built-in skin: %.2f ms (aim below 100)\n", initializeMs);
  std::printf("Start to the main window shown: %.0f ms\n", shownMs);
  std::printf("/add hand-over round trip (second start, median of 5): %.0f ms\n",
              bench.handOverMs());
  return 0;
}
