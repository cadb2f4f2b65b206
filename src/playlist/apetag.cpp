#include "playlist/apetag.h"

#include <QFile>
#include <QtEndian>

#include "playlist/id3v1.h"
#include "playlist/tagtext.h"

namespace {

constexpr int kMaxValue = 250;

quint32 Le32(QByteArrayView data, qint64 at) {
  return qFromLittleEndian<quint32>(data.data() + at);
}

}  // namespace

bool TAPEtag::ReadFromFile(const QString& fileName) {
  ResetData();
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly) || file.size() < kAPEFooterSize) {
    return false;
  }
  qint64 end = file.size();
  if (end >= kID3v1TagSize && file.seek(end - kID3v1TagSize) && file.read(3) == "TAG") {
    end -= kID3v1TagSize;
  }
  if (end < kAPEFooterSize || !file.seek(end - kAPEFooterSize)) {
    return true;
  }
  const QByteArray footer = file.read(kAPEFooterSize);
  if (footer.size() != kAPEFooterSize || !footer.startsWith("APETAGEX")) {
    return true;
  }
  // Items and footer together, as far as the file holds them.
  const qint64 tagSize = std::clamp<qint64>(Le32(footer, 12), kAPEFooterSize, end);
  if (!file.seek(end - tagSize)) {
    return false;
  }
  ParseTag(file.read(tagSize));
  return true;
}

void TAPEtag::ParseTag(QByteArrayView tail) {
  ResetData();
  if (tail.size() < kAPEFooterSize) {
    return;
  }
  const QByteArrayView footer = tail.last(kAPEFooterSize);
  if (!footer.startsWith("APETAGEX")) {
    return;
  }
  exists_ = true;
  version_ = int(std::min<quint32>(Le32(footer, 8), INT32_MAX));
  const quint32 declared = Le32(footer, 12);
  size_ = int(std::min<quint32>(declared, INT32_MAX));
  const quint32 itemCount = Le32(footer, 16);
  const qint64 itemsEnd = tail.size() - kAPEFooterSize;
  qint64 pos = tail.size() - std::min<qint64>(declared, tail.size());
  for (quint32 i = 0; i < itemCount && pos + 8 < itemsEnd; ++i) {
    const qint64 valueSize = Le32(tail, pos);
    const qint64 keyAt = pos + 8;
    const qint64 keyEnd = tail.indexOf('\0', keyAt);
    if (keyEnd < 0 || keyEnd >= itemsEnd) {
      break;
    }
    const QString key = TrimTagText(QString::fromLatin1(tail.sliced(keyAt, keyEnd - keyAt)));
    const QByteArrayView value =
        tail.sliced(keyEnd + 1, std::min<qint64>({valueSize, kMaxValue, tail.size() - keyEnd - 1}));
    StoreItem(key, TrimTagText(version_ <= 1000 ? DecodeTagBytes(value) : DecodeUtf8Prefix(value)));
    pos = keyEnd + 1 + valueSize;
  }
}

void TAPEtag::StoreItem(const QString& key, const QString& value) {
  const auto is = [&](const char* name) {
    return key.compare(QLatin1StringView(name), Qt::CaseInsensitive) == 0;
  };
  if (is("Title")) {
    title_ = value;
  } else if (is("Artist")) {
    artist_ = value;
  } else if (is("Album")) {
    album_ = value;
  } else if (is("Track")) {
    track_ = static_cast<uint8_t>(ParseTrackNumber(value, 0xFF));
  } else if (is("Year")) {
    year_ = value;
  } else if (is("Genre")) {
    genre_ = value;
  } else if (is("Comment")) {
    comment_ = value;
  } else if (is("Copyright")) {
    copyright_ = value;
  }
}
