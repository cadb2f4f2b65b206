#pragma once
// How one key's value is found in the lines of "config.zcfg" and how its words are read.
// The file is meant to be written by the program, so reading is forgiving: a key matches the
// first line that starts with it, and the value is whatever stands inside the brackets.

#include <QString>
#include <QStringList>
#include <optional>

// The first line, from the top, that is longer than the key and starts with it exactly
// (case-sensitive, no leading blanks). A key thus also matches the line of a longer key that
// starts with it; the program writes the shorter key first, so that line wins.
std::optional<QString> FindKeyLine(const QStringList& lines, const QString& key);

// The text between the first "[" and the last "]", less the one character next to each
// bracket (normally the blanks). Empty when a bracket is missing or nothing stands between.
QString BracketValue(const QString& line);

// Reads the words of a value from left to right the way a "%d %d" scan does: blanks before a
// word are skipped, and a number ends at the first character that cannot belong to it.
class TZValueScanner {
 public:
  explicit TZValueScanner(const QString& text) : text_(text) {}

  // A decimal integer with optional sign, within [min, max]; nothing when there is none.
  std::optional<long long> Integer(long long min, long long max);
  // A finite number with "." (or ",", as written on comma locales) as decimal separator.
  std::optional<float> Float();
  // The characters up to the next blank (possibly empty).
  QString Word();

 private:
  void SkipBlanks();

  QString text_;
  qsizetype pos_ = 0;
};

// "TRUE" is true; every other value, "true" included, is false.
bool ReadBool(const QString& value);
QString WriteBool(bool value);

// Shortest text that reads back as the same float, with "." as decimal separator.
QString WriteFloat(float value);

// The text cut to at most maxLength characters, never inside a surrogate pair.
QString CutText(const QString& text, qsizetype maxLength);

// Text keys written with blanks as "*": and back.
QString StarsToBlanks(const QString& text);
QString BlanksToStars(const QString& text);
