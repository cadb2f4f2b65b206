#include "playlist/tagtext.h"

#include <QFile>
#include <algorithm>
#include <array>

#include "base/text/textcodec.h"

namespace {

bool IsBlankOrControl(QChar c) {
  return c.unicode() <= 0x20;
}

QByteArrayView UpToZero(QByteArrayView bytes) {
  const qsizetype zero = bytes.indexOf('\0');
  return zero < 0 ? bytes : bytes.first(zero);
}

// Length of the well-formed UTF-8 sequence starting at bytes[i], or 0 when it is malformed.
int Utf8SequenceLength(QByteArrayView bytes, qsizetype i) {
  const auto byte = [&](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
  const unsigned char lead = byte(i);
  int length = 0;
  char32_t min = 0;
  if (lead < 0x80) {
    return 1;
  }
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    min = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    min = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    min = 0x10000;
  } else {
    return 0;
  }
  if (i + length > bytes.size()) {
    return 0;
  }
  char32_t code = lead & (0x7F >> length);
  for (int k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) {
      return 0;
    }
    code = (code << 6) | (byte(i + k) & 0x3F);
  }
  if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
    return 0;
  }
  return length;
}

}  // namespace

QString TrimTagText(const QString& text) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && IsBlankOrControl(text[begin])) {
    ++begin;
  }
  while (end > begin && IsBlankOrControl(text[end - 1])) {
    --end;
  }
  return text.mid(begin, end - begin);
}

QString TrimTrailingTagText(const QString& text) {
  qsizetype end = text.size();
  while (end > 0 && IsBlankOrControl(text[end - 1])) {
    --end;
  }
  return text.left(end);
}

QString DecodeTagBytes(QByteArrayView bytes) {
  return DecodeText(UpToZero(bytes));
}

QString DecodeUtf8Prefix(QByteArrayView bytes) {
  bytes = UpToZero(bytes);
  qsizetype end = 0;
  while (end < bytes.size()) {
    const int length = Utf8SequenceLength(bytes, end);
    if (length == 0) {
      break;
    }
    end += length;
  }
  return QString::fromUtf8(bytes.first(end));
}

QByteArray EncodeWindows1252(const QString& text, bool* ok) {
  // The inverse of the decoder's table for 0x80-0x9F, taken from the decoder itself.
  static const std::array<char16_t, 32> high = [] {
    std::array<char16_t, 32> table{};
    for (int byte = 0x80; byte < 0xA0; ++byte) {
      table[size_t(byte - 0x80)] = DecodeWindows1252(QByteArray(1, char(byte))).at(0).unicode();
    }
    return table;
  }();
  QByteArray bytes;
  bytes.reserve(text.size());
  *ok = true;
  for (QChar c : text) {
    const char16_t code = c.unicode();
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
      bytes.append(char(code));
      continue;
    }
    const auto found = std::find(high.begin(), high.end(), code);
    if (found == high.end()) {
      *ok = false;
      return QByteArray();
    }
    bytes.append(char(0x80 + (found - high.begin())));
  }
  return bytes;
}

QByteArray EncodeTagField(const QString& text, qsizetype maxBytes) {
  // Windows-1252 where its bytes read back as the same text (they may happen to be valid UTF-8,
  // which the reader prefers), else UTF-8.
  bool narrow = false;
  QByteArray bytes = EncodeWindows1252(text, &narrow);
  const bool utf8 = !narrow || DecodeTagBytes(bytes) != text;
  if (utf8) {
    bytes = text.toUtf8();
  }
  if (bytes.size() > maxBytes) {
    qsizetype length = maxBytes;
    if (utf8) {
      while (length > 0 && (static_cast<unsigned char>(bytes[length]) & 0xC0) == 0x80) {
        --length;
      }
    }
    bytes.truncate(length);
  }
  return bytes;
}

unsigned ParseTrackNumber(const QString& text, unsigned maxValue) {
  const qsizetype slash = text.indexOf(u'/');
  bool ok = false;
  const qlonglong value = QStringView(text).left(slash < 0 ? text.size() : slash).toLongLong(&ok);
  return (ok && value >= 0 && value <= qlonglong(maxValue)) ? unsigned(value) : 0;
}

bool MakeFileWritable(const QString& fileName) {
  QFile file(fileName);
  if (!file.exists()) {
    return false;
  }
  const QFileDevice::Permissions permissions = file.permissions();
  if (permissions & QFileDevice::WriteOwner) {
    return true;
  }
  return file.setPermissions(permissions | QFileDevice::WriteOwner);
}
