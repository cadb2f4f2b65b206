#include "config/configline.h"

#include <charconv>
#include <cmath>

std::optional<QString> FindKeyLine(const QStringList& lines, const QString& key) {
  for (const QString& line : lines) {
    if (line.size() > key.size() && line.startsWith(key)) {
      return line;
    }
  }
  return std::nullopt;
}

QString BracketValue(const QString& line) {
  const qsizetype open = line.indexOf(u'[');
  const qsizetype close = line.lastIndexOf(u']');
  if (open < 0 || close < 0) {
    return {};
  }
  const qsizetype first = open + 2;
  const qsizetype last = close - 2;
  if (last < first) {
    return {};
  }
  return line.mid(first, last - first + 1);
}

namespace {

bool IsBlank(QChar c) {
  return c == u' ' || c == u'\t';
}

bool IsDigit(QChar c) {
  return c >= u'0' && c <= u'9';
}

}  // namespace

void TZValueScanner::SkipBlanks() {
  while (pos_ < text_.size() && IsBlank(text_[pos_])) {
    ++pos_;
  }
}

std::optional<long long> TZValueScanner::Integer(long long min, long long max) {
  SkipBlanks();
  qsizetype i = pos_;
  bool negative = false;
  if (i < text_.size() && (text_[i] == u'-' || text_[i] == u'+')) {
    negative = text_[i++] == u'-';
  }
  const qsizetype digitsStart = i;
  long long magnitude = 0;
  bool overflow = false;
  for (; i < text_.size() && IsDigit(text_[i]); ++i) {
    if (magnitude > (1LL << 40)) {
      overflow = true;  // far beyond every field; keep scanning so the word is consumed
    } else {
      magnitude = magnitude * 10 + (text_[i].unicode() - u'0');
    }
  }
  if (i == digitsStart) {
    return std::nullopt;
  }
  pos_ = i;
  const long long value = negative ? -magnitude : magnitude;
  if (overflow || value < min || value > max) {
    return std::nullopt;
  }
  return value;
}

std::optional<float> TZValueScanner::Float() {
  SkipBlanks();
  qsizetype i = pos_;
  auto skipDigits = [&] {
    const qsizetype start = i;
    while (i < text_.size() && IsDigit(text_[i])) {
      ++i;
    }
    return i > start;
  };
  if (i < text_.size() && (text_[i] == u'-' || text_[i] == u'+')) {
    ++i;
  }
  bool digits = skipDigits();
  if (i < text_.size() && (text_[i] == u'.' || text_[i] == u',')) {
    ++i;
    digits = skipDigits() || digits;
  }
  if (!digits) {
    return std::nullopt;
  }
  if (i < text_.size() && (text_[i] == u'e' || text_[i] == u'E')) {
    qsizetype exponent = i + 1;
    if (exponent < text_.size() && (text_[exponent] == u'-' || text_[exponent] == u'+')) {
      ++exponent;
    }
    if (exponent < text_.size() && IsDigit(text_[exponent])) {
      i = exponent;
      skipDigits();
    }
  }
  QByteArray number = text_.mid(pos_, i - pos_).toLatin1();
  number.replace(',', '.');
  if (number.startsWith('+')) {
    number.remove(0, 1);  // from_chars takes no plus sign
  }
  pos_ = i;
  float value = 0;
  const auto [end, error] = std::from_chars(number.cbegin(), number.cend(), value);
  if (error != std::errc() || end != number.cend() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

QString TZValueScanner::Word() {
  SkipBlanks();
  const qsizetype start = pos_;
  while (pos_ < text_.size() && !IsBlank(text_[pos_])) {
    ++pos_;
  }
  return text_.mid(start, pos_ - start);
}

bool ReadBool(const QString& value) {
  return value == QLatin1String("TRUE");
}

QString WriteBool(bool value) {
  return value ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
}

QString WriteFloat(float value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return QString::fromLatin1(buffer, result.ptr - buffer);
}

QString CutText(const QString& text, qsizetype maxLength) {
  if (text.size() <= maxLength) {
    return text;
  }
  const bool splitsPair = maxLength > 0 && text[maxLength - 1].isHighSurrogate();
  return text.left(splitsPair ? maxLength - 1 : maxLength);
}

QString StarsToBlanks(const QString& text) {
  return QString(text).replace(u'*', u' ');
}

QString BlanksToStars(const QString& text) {
  return QString(text).replace(u' ', u'*');
}
