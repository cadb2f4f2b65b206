#include "playback/streamtags.h"

QString ConvertTags(const std::string& tags) {
  if (tags.empty()) {
    return {};
  }
  // "a\0b\0\0" ends with the empty text: drop that last terminator.
  std::string text = tags;
  if (text.size() >= 2 && text.back() == '\0' && text[text.size() - 2] == '\0') {
    text.pop_back();
  }
  QString converted = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  converted.replace(QChar(u'\0'), u';');
  if (!converted.endsWith(u';')) {
    converted += u';';
  }
  return converted;
}

void ParseTags(const QString& text, QChar separator, bool reset, TKeys* keys) {
  if (reset) {
    keys->clear();
  }
  qsizetype start = 0;
  while (true) {
    const qsizetype end = text.indexOf(u';', start);
    if (end < 0) {
      return;
    }
    const QStringView item = QStringView(text).mid(start, end - start);
    start = end + 1;
    const qsizetype split = item.indexOf(separator);
    if (split < 0) {
      continue;
    }
    TKey key{item.left(split).trimmed().toString(), item.mid(split + 1).trimmed().toString()};
    if (key.Value.size() > 1 && key.Value.startsWith(u'\'') && key.Value.endsWith(u'\'')) {
      key.Value = key.Value.mid(1, key.Value.size() - 2);
    }
    if (!key.Name.isEmpty() && !key.Value.trimmed().isEmpty()) {
      keys->push_back(std::move(key));
    }
  }
}

TKeys ReadStreamKeys(ZSoundHandle channel) {
  TKeys keys;
  ParseTags(ConvertTags(ZSoundGetTags(channel, ZSoundTags::IcyHeaders)), u':', true, &keys);
  const QString metadata = ConvertTags(ZSoundGetTags(channel, ZSoundTags::Metadata));
  if (!metadata.isEmpty()) {
    ParseTags(metadata + u';', u'=', false, &keys);
  }
  return keys;
}

QString FindKey(const TKeys& keys, const QString& name) {
  for (const TKey& key : keys) {
    if (key.Name.compare(name, Qt::CaseInsensitive) == 0) {
      return key.Value;
    }
  }
  return {};
}

QString RecordBaseName(const QString& formatMask, const QString& title) {
  QString name = formatMask;
  name.replace(QStringLiteral("%title%"), title, Qt::CaseInsensitive);
  for (QChar unsafe : QStringLiteral("\"*/:<>?\\|")) {
    name.replace(unsafe, u'_');
  }
  return name;
}
