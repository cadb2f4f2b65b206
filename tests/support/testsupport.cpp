#include "testsupport.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <chrono>
#include <csignal>
#include <thread>

#include "base/errorcatalogue.h"

ScratchFolder::ScratchFolder() {
  EXPECT_TRUE(dir_.isValid());
}

int RunProgram(const QString& program, const QStringList& args, QString* output) {
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(program, args);
  if (!process.waitForStarted(10000)) {
    return -1;
  }
  process.closeWriteChannel();
  process.waitForFinished(-1);
  if (output) {
    *output = QString::fromUtf8(process.readAll());
  }
  return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

bool HaveProgram(const QString& program) {
  return !QStandardPaths::findExecutable(program).isEmpty();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
  ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    ADD_FAILURE() << "cannot read " << path.toStdString();
    return {};
  }
  return file.readAll();
}

QString PathBelowAFile(const ScratchFolder& scratch, const QString& name) {
  WriteBytes(scratch.file("a-file"), "not a folder");
  return scratch.file("a-file/" + name);
}

FileSizeLimit::FileSizeLimit(qint64 bytes) : previousHandler_(std::signal(SIGXFSZ, SIG_IGN)) {
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  previousSoft_ = static_cast<qint64>(limit.rlim_cur);
  limit.rlim_cur = static_cast<rlim_t>(bytes);
  EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
}

FileSizeLimit::~FileSizeLimit() {
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  limit.rlim_cur = static_cast<rlim_t>(previousSoft_);
  setrlimit(RLIMIT_FSIZE, &limit);
  std::signal(SIGXFSZ, previousHandler_);
}

QStringList FolderEntries(const QString& folder) {
  return QDir(folder).entryList(
      QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

bool WaitFor(const std::function<bool()>& done, int limitMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) {
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

bool WaitWithEvents(const std::function<bool()>& done, int limitMs) {
  return WaitFor(
      [&done] {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return done();
      },
      limitMs);
}

QString TestOutputFolder() {
  QString folder =
      qEnvironmentVariable("ZEPHONIC_TEST_BINARY_DIR", QStringLiteral(ZEPHONIC_BINARY_DIR));
  folder += QStringLiteral("/test-output/");
  QDir().mkpath(folder);
  return folder;
}

ReportCapture::ReportCapture() {
  ResetTerminationRequest();
  SetErrorPresenter({[this](const QString& text, bool fatal) {
                       reports_.push_back({text, fatal});
                     },
                     nullptr, nullptr});
}

ReportCapture::~ReportCapture() {
  SetErrorPresenter({});
  ResetTerminationRequest();
}
