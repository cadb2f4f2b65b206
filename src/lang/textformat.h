#pragma once
// Fills the printf-style conversions of a language text ("%s", "%d", "%3.1f", "%%") with values.
// Language files come from outside, so their texts are never handed to printf: a conversion
// without a value left, or of a kind not listed here, stays in the text as written, and field
// widths and precisions are bounded.

#include <QString>
#include <initializer_list>
#include <variant>

// One value for a conversion: a text or a number. A value of another kind than its conversion
// asks for is shown as it is (a text for "%d" shows the text, a number for "%s" its digits).
class TextArg {
 public:
  TextArg(const QString& text) : value_(text) {}
  TextArg(const char* text) : value_(QString::fromUtf8(text)) {}
  TextArg(int number) : value_(static_cast<qint64>(number)) {}
  TextArg(qint64 number) : value_(number) {}
  TextArg(double number) : value_(number) {}

  const std::variant<QString, qint64, double>& value() const { return value_; }

 private:
  std::variant<QString, qint64, double> value_;
};

// Conversions understood: %[-+ 0#][width][.precision] followed by s, d, i, u or f.
QString FormatText(const QString& format, std::initializer_list<TextArg> args);
