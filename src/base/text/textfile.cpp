#include "base/text/textfile.h"

#include <QFile>
#include <QSaveFile>

#include "base/text/textcodec.h"

QStringList SplitLines(const QString& text) {
  QStringList lines;
  qsizetype start = 0;
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n; ++i) {
    const QChar c = text[i];
    if (c != u'\r' && c != u'\n') {
      continue;
    }
    lines.append(text.mid(start, i - start));
    if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') {
      ++i;
    }
    start = i + 1;
  }
  if (start < n) {
    lines.append(text.mid(start));
  }
  return lines;
}

bool ReadTextLines(const QString& path, QStringList* lines) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return false;
  }
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    return false;
  }
  *lines = SplitLines(DecodeText(bytes));
  return true;
}

bool WriteFileAtomically(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    return false;
  }
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    return false;
  }
  return CommitComplete(file, bytes.size());
}

bool CommitComplete(QSaveFile& file, qint64 size) {
  if (!file.flush() || file.size() != size) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

bool WriteTextLines(const QString& path, const QStringList& lines) {
  QByteArray bytes;
  for (const QString& line : lines) {
    bytes += EncodeText(line);
    bytes += "\r\n";
  }
  return WriteFileAtomically(path, bytes);
}
