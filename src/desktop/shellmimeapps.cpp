#include "desktop/shellmimeapps.h"

namespace {

const QByteArray kDefaultSection = QByteArrayLiteral("Default Applications");
const QByteArray kSectionAdded = QByteArrayLiteral("section-added");
const QByteArray kDefaultRecord = QByteArrayLiteral("default\t");

// The name between the brackets of a section header, or a null array for any other line.
QByteArray SectionName(const QByteArray& text) {
  const QByteArray trimmed = text.trimmed();
  if (trimmed.size() >= 2 && trimmed.startsWith('[') && trimmed.endsWith(']')) {
    return trimmed.mid(1, trimmed.size() - 2);
  }
  return {};
}

// The key of a "key=value" line; empty for comments, headers and other lines.
QByteArray KeyOf(const QByteArray& text) {
  const QByteArray trimmed = text.trimmed();
  if (trimmed.startsWith('#') || trimmed.startsWith('[')) {
    return {};
  }
  const qsizetype equals = text.indexOf('=');
  return equals < 0 ? QByteArray() : text.left(equals).trimmed();
}

}  // namespace

TZMimeAppsList::TZMimeAppsList(QByteArrayView bytes) {
  qsizetype start = 0;
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c != '\n' && c != '\r') {
      continue;
    }
    const qsizetype endLength = (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
    lines_.append(
        {bytes.sliced(start, i - start).toByteArray(), bytes.sliced(i, endLength).toByteArray()});
    i += endLength - 1;
    start = i + 1;
  }
  if (start < bytes.size()) {
    lines_.append({bytes.sliced(start).toByteArray(), {}});
  }
}

QByteArray TZMimeAppsList::Bytes() const {
  QByteArray bytes;
  for (const Line& line : lines_) {
    bytes += line.text + line.end;
  }
  return bytes;
}

int TZMimeAppsList::FindDefault(QByteArrayView mimeType) const {
  bool inDefaults = false;
  for (int i = 0; i < lines_.size(); ++i) {
    const QByteArray section = SectionName(lines_[i].text);
    if (!section.isNull()) {
      inDefaults = section == kDefaultSection;
    } else if (inDefaults && KeyOf(lines_[i].text) == mimeType) {
      return i;
    }
  }
  return -1;
}

int TZMimeAppsList::FirstSectionHeader() const {
  for (int i = 0; i < lines_.size(); ++i) {
    if (SectionName(lines_[i].text) == kDefaultSection) {
      return i;
    }
  }
  return -1;
}

QByteArray TZMimeAppsList::LineEnd() const {
  for (const Line& line : lines_) {
    if (!line.end.isEmpty()) {
      return line.end;
    }
  }
  return QByteArrayLiteral("\n");
}

QByteArray TZMimeAppsList::DefaultLine(QByteArrayView mimeType) const {
  const int index = FindDefault(mimeType);
  return index < 0 ? QByteArray() : lines_[index].text;
}

QByteArray TZMimeAppsList::DefaultValue(QByteArrayView mimeType) const {
  const QByteArray line = DefaultLine(mimeType);
  return line.mid(line.indexOf('=') + 1).trimmed();
}

bool TZMimeAppsList::HasDefaultSection() const {
  return FirstSectionHeader() >= 0;
}

void TZMimeAppsList::AddDefaultSection() {
  const QByteArray end = LineEnd();
  // A last line without a line end needs one before a new line can follow it.
  if (!lines_.isEmpty() && lines_.last().end.isEmpty()) {
    lines_.last().end = end;
  }
  lines_.append({'[' + kDefaultSection + ']', end});
}

void TZMimeAppsList::RemoveEmptyDefaultSection() {
  for (int header = int(lines_.size()) - 1; header >= 0; --header) {
    if (SectionName(lines_[header].text) != kDefaultSection) {
      continue;
    }
    for (int i = header + 1; i < lines_.size(); ++i) {
      if (!SectionName(lines_[i].text).isNull()) {
        break;
      }
      if (!lines_[i].text.trimmed().isEmpty()) {
        return;
      }
    }
    lines_.removeAt(header);
    return;
  }
}

void TZMimeAppsList::SetDefaultLine(QByteArrayView mimeType, QByteArrayView line) {
  const int index = FindDefault(mimeType);
  if (index >= 0) {
    if (line.isEmpty()) {
      lines_.removeAt(index);
    } else {
      lines_[index].text = line.toByteArray();
    }
    return;
  }
  const int header = FirstSectionHeader();
  if (line.isEmpty() || header < 0) {
    return;
  }
  int last = header;
  for (int i = header + 1; i < lines_.size() && SectionName(lines_[i].text).isNull(); ++i) {
    if (!lines_[i].text.trimmed().isEmpty()) {
      last = i;
    }
  }
  const QByteArray end = LineEnd();
  if (lines_[last].end.isEmpty()) {
    lines_[last].end = end;
  }
  lines_.insert(last + 1, {line.toByteArray(), end});
}

TZDefaultsBackup TZDefaultsBackup::Parse(QByteArrayView bytes) {
  TZDefaultsBackup backup;
  for (QByteArrayView line : QByteArray(bytes.toByteArray()).split('\n')) {
    if (line.endsWith('\r')) {
      line.chop(1);
    }
    if (line == kSectionAdded) {
      backup.SectionAdded = true;
    } else if (line.startsWith(kDefaultRecord)) {
      const QByteArrayView record = line.sliced(kDefaultRecord.size());
      const qsizetype tab = record.indexOf('\t');
      // A line of "mimeapps.list" never holds a line break: such a record is no line of it.
      if (tab > 0 && !record.contains('\r')) {
        backup.Lines.insert(record.first(tab).toByteArray(), record.sliced(tab + 1).toByteArray());
      }
    }
  }
  return backup;
}

QByteArray TZDefaultsBackup::Bytes() const {
  QByteArray bytes = QByteArrayLiteral(
      "# Defaults that Zephonic replaced in mimeapps.list; unregistering puts them "
      "back.\n");
  if (SectionAdded) {
    bytes += kSectionAdded + '\n';
  }
  for (auto it = Lines.cbegin(); it != Lines.cend(); ++it) {
    bytes += kDefaultRecord + it.key() + '\t' + it.value() + '\n';
  }
  return bytes;
}
