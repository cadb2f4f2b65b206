#include "apeencoder.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace {

const char* const kJar = "/usr/share/java/jmac.jar";
// The encoder hangs on some malformed input instead of failing.
constexpr int kTimeoutMs = 60000;

}  // namespace

QString ApeEncoderMissing() {
  if (QStandardPaths::findExecutable("java").isEmpty()) {
    return "no Java runtime (java) on PATH";
  }
  if (!QFile::exists(kJar)) {
    return QString("the Monkey's Audio encoder %1 (libjmac-java) is not installed").arg(kJar);
  }
  return {};
}

QString EncodeApe(const QString& wav, const QString& ape) {
  QFile::remove(ape);
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start("java", {"-jar", kJar, "c2", wav, ape});
  process.closeWriteChannel();
  if (!process.waitForFinished(kTimeoutMs)) {
    process.kill();
    process.waitForFinished();
    return "the encoder did not finish: " + QString::fromUtf8(process.readAll());
  }
  const QString output = QString::fromUtf8(process.readAll());
  // It reports failures only in its output, with exit code 0; the file's signature tells.
  QFile file(ape);
  if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0 ||
      !file.open(QIODevice::ReadOnly) || file.read(4) != "MAC ") {
    return "the encoder made no Monkey's Audio file: " + output;
  }
  return {};
}
