#pragma once
// ID3v2 tags built byte by byte for the tag tests, so that a test can make exactly the damage or
// the oddity it is about.

#include <QByteArray>
#include <QtEndian>

inline QByteArray BigEndian32(quint32 value) {
  QByteArray bytes(4, '\0');
  qToBigEndian(value, bytes.data());
  return bytes;
}

// Seven bits per byte, as tag sizes and version 2.4 frame sizes are stored.
inline QByteArray Syncsafe(quint32 value) {
  QByteArray bytes(4, '\0');
  for (int i = 0; i < 4; ++i) {
    bytes[i] = char((value >> (7 * (3 - i))) & 0x7F);
  }
  return bytes;
}

// A frame of version 3 or 4 holding `data`; its size field says `declaredSize` when that is not
// -1.
inline QByteArray Frame(int version, const char* id, const QByteArray& data, char formatFlags = 0,
                        qint64 declaredSize = -1) {
  const auto size = quint32(declaredSize < 0 ? data.size() : declaredSize);
  return QByteArray(id, 4) + (version == 4 ? Syncsafe(size) : BigEndian32(size)) +
         QByteArray(1, '\0') + QByteArray(1, formatFlags) + data;
}

// A tag around the frames, followed by `padding` zero bytes; its size field says `declaredSize`
// when that is not -1.
inline QByteArray Tag(int version, const QByteArray& frames, int padding = 0,
                      qint64 declaredSize = -1) {
  const auto size = quint32(declaredSize < 0 ? frames.size() + padding : declaredSize);
  return QByteArray("ID3") + char(version) + QByteArray(2, '\0') + Syncsafe(size) + frames +
         QByteArray(padding, '\0');
}

// A text frame's data in Latin-1: the encoding byte, then the text.
inline QByteArray Latin1Text(const QByteArray& text) {
  return QByteArray(1, '\0') + text;
}
