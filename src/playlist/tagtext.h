#pragma once
// Text helpers shared by the tag readers and writers.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Removes leading and/or trailing blanks and control characters (everything up to U+0020).
QString TrimTagText(const QString& text);
QString TrimTrailingTagText(const QString& text);

// 8-bit tag text up to its first zero byte: UTF-8 when valid, else Windows-1252.
QString DecodeTagBytes(QByteArrayView bytes);
// The longest well-formed UTF-8 prefix up to the first zero byte; a malformed or truncated
// sequence ends the text.
QString DecodeUtf8Prefix(QByteArrayView bytes);

// Text for an 8-bit field, chosen so that DecodeTagBytes reads it back: Windows-1252 when the
// text has those bytes and they read back as the same text, else UTF-8; cut at a whole
// character to at most maxBytes.
QByteArray EncodeTagField(const QString& text, qsizetype maxBytes);

// The text as Windows-1252 bytes; *ok false (and nothing returned) when a character has none.
QByteArray EncodeWindows1252(const QString& text, bool* ok);

// The number before the first "/" of a track text; 0 unless it is a whole number <= maxValue.
unsigned ParseTrackNumber(const QString& text, unsigned maxValue);

// Adds the owner's write permission when it is missing; false when the file does not exist or
// stays read-only.
bool MakeFileWritable(const QString& fileName);
