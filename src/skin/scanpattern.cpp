#include "skin/scanpattern.h"

#include <limits>

namespace {

// The blanks of the C locale, which the format was written against.
bool IsBlank(QChar c) {
  return c == u' ' || (c >= u'\t' && c <= u'\r');
}

class Cursor {
 public:
  explicit Cursor(QStringView text) : text_(text) {}

  void skipBlanks() {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) {
      ++pos_;
    }
  }

  bool take(QChar c) {
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }

  // Like strtol: an out-of-range number saturates; the value kept is its low 32 bits, as a
  // conversion into a 32-bit integer would.
  bool readInteger(int* value) {
    skipBlanks();
    const qsizetype start = pos_;
    const bool negative = take(u'-');
    if (!negative) {
      take(u'+');
    }
    qint64 magnitude = 0;
    const qsizetype digitsStart = pos_;
    while (pos_ < text_.size() && text_[pos_] >= u'0' && text_[pos_] <= u'9') {
      const int digit = text_[pos_].unicode() - u'0';
      magnitude = magnitude > (kLimit - digit) / 10 ? kLimit : magnitude * 10 + digit;
      ++pos_;
    }
    if (pos_ == digitsStart) {
      pos_ = start;
      return false;
    }
    *value = int(quint32(quint64(negative ? -magnitude : magnitude)));
    return true;
  }

  bool readWord(QString* word) {
    skipBlanks();
    const qsizetype start = pos_;
    while (pos_ < text_.size() && !IsBlank(text_[pos_])) {
      ++pos_;
    }
    *word = text_.mid(start, pos_ - start).toString();
    return pos_ > start;
  }

 private:
  static constexpr qint64 kLimit = std::numeric_limits<qint64>::max();
  QStringView text_;
  qsizetype pos_ = 0;
};

}  // namespace

std::vector<ScanValue> ScanLine(QStringView line, QStringView pattern) {
  std::vector<ScanValue> values;
  ScanLine(line, pattern, values);
  return values;
}

void ScanLine(QStringView line, QStringView pattern, std::vector<ScanValue>& values) {
  values.clear();
  Cursor input(line);
  for (qsizetype i = 0; i < pattern.size(); ++i) {
    const QChar p = pattern[i];
    if (IsBlank(p)) {
      input.skipBlanks();
    } else if (p == u'%' && i + 1 < pattern.size() && pattern[i + 1] == u'd') {
      int number = 0;
      if (!input.readInteger(&number)) {
        break;
      }
      values.emplace_back(number);
      ++i;
    } else if (p == u'%' && i + 1 < pattern.size() && pattern[i + 1] == u's') {
      QString word;
      if (!input.readWord(&word)) {
        break;
      }
      values.emplace_back(std::move(word));
      ++i;
    } else if (!input.take(p)) {
      break;
    }
  }
}
