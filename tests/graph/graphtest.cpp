#include "graphtest.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
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
