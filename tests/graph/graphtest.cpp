#include "graphtest.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include "components/graph/zgraph.h"
#include "testsupport.h"

QString MakeToneFile(const QString& path, double seconds, int frequency) {
  const QStringList args{QStringLiteral("-n"),    QStringLiteral("-r"),
                         QStringLiteral("44100"), QStringLiteral("-c"),
                         QStringLiteral("2"),     QStringLiteral("-b"),
                         QStringLiteral("16"),    path,
                         QStringLiteral("synth"), QString::number(seconds),
                         QStringLiteral("sine"),  QString::number(frequency),
                         QStringLiteral("vol"),   QStringLiteral("0.5")};
  EXPECT_EQ(RunProgram(QStringLiteral("sox"), args), 0);
  EXPECT_TRUE(QFile::exists(path));
  return path;
}

QString MakeDvd(const QString& folder) {
  QDir().mkpath(folder);
  const QString title = folder + QStringLiteral("/title.mpg");
  const QStringList encode{"-v",      "error",
                           "-f",      "lavfi",
                           "-i",      "testsrc=size=720x480:rate=30000/1001",
                           "-f",      "lavfi",
                           "-i",      "sine=frequency=1000",
                           "-t",      "2",
                           "-target", "ntsc-dvd",
                           "-c:a",    "mp2",
                           "-b:a",    "192k",
                           "-y",      title};
  EXPECT_EQ(RunProgram(QStringLiteral("ffmpeg"), encode), 0);
  const QString disc = folder + QStringLiteral("/disc");
  qputenv("VIDEO_FORMAT", "NTSC");
  EXPECT_EQ(RunProgram(QStringLiteral("dvdauthor"), {"-o", disc, "-t", title}), 0);
  EXPECT_EQ(RunProgram(QStringLiteral("dvdauthor"), {"-o", disc, "-T"}), 0);
  const QString ifo = disc + QStringLiteral("/VIDEO_TS/VIDEO_TS.IFO");
  EXPECT_TRUE(QFile::exists(ifo));
  return ifo;
}

bool ProcessEventsUntil(const std::function<bool()>& done, int limitMs) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > limitMs) {
      return false;
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return true;
}

bool PlayToEnd(ZGraph& graph, int limitMs) {
  bool ended = false;
  bool failed = false;
  const auto eos = QObject::connect(&graph, &ZGraph::EndOfStream, [&] { ended = true; });
  const auto error = QObject::connect(
      &graph, &ZGraph::ErrorOccurred, [&](const QString& source, const QString& message) {
        ADD_FAILURE() << source.toStdString() << ": " << message.toStdString();
        failed = true;
      });
  const bool started = graph.SetState(ZGraphState::Playing);
  const bool finished = started && ProcessEventsUntil([&] { return ended || failed; }, limitMs);
  QObject::disconnect(eos);
  QObject::disconnect(error);
  return finished && ended;
}

QString TestPluginFile() {
  return QStringLiteral(ZEPHONIC_TEST_PLUGIN);
}
