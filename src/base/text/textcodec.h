#pragma once
// Text as it crosses the program's files: written as UTF-8, read as UTF-8 when the bytes are
// valid UTF-8 and as Windows-1252 otherwise, so files made on the other system read correctly.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Decodes file bytes: UTF-8 when valid, else Windows-1252.
QString DecodeText(QByteArrayView bytes);

// Decodes bytes as Windows-1252 whatever they are (fixed 8-bit fields known to be code-page text).
QString DecodeWindows1252(QByteArrayView bytes);

// Encodes text for the program's files (UTF-8).
QByteArray EncodeText(const QString& text);

// True when the bytes are well-formed UTF-8 (no overlongs, no surrogates).
bool IsValidUtf8(QByteArrayView bytes);
