#include "base/zdebug.h"

#include <QFile>

#include "base/text/textcodec.h"

TZDebug::TZDebug(QString fileName) : fileName_(std::move(fileName)) {
  QFile::remove(fileName_);
}

void TZDebug::Write(const QString& text) {
  QFile file(fileName_);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
    throw std::runtime_error("cannot open log file " + fileName_.toStdString());
  }
  QByteArray line = EncodeText(indentUnit_.repeated(level_) + text);
  line += "\r\n";
  if (file.write(line) != line.size() || !file.flush()) {
    throw std::runtime_error("cannot write log file " + fileName_.toStdString());
  }
}

void TZDebug::Unindent() {
  if (level_ > 0) {
    --level_;
  }
}

namespace {
std::unique_ptr<TZDebug>& LogSlot() {
  static std::unique_ptr<TZDebug> log;
  return log;
}
}  // namespace

TZDebug* ZDebug() {
  return LogSlot().get();
}

void SetZDebug(std::unique_ptr<TZDebug> log) {
  LogSlot() = std::move(log);
}

void ZLog(const QString& text) {
  if (TZDebug* log = ZDebug()) {
    log->Write(text);
  }
}

void ZLogIndent() {
  if (TZDebug* log = ZDebug()) {
    log->Indent();
  }
}

void ZLogUnindent() {
  if (TZDebug* log = ZDebug()) {
    log->Unindent();
  }
}
