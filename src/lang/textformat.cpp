#include "lang/textformat.h"

#include <algorithm>
#include <vector>

namespace {

// Bounds a hostile "%999999999d" to a field that still fits a short text.
constexpr int kMaxField = 255;

struct Conversion {
  QString flags;
  int width = -1;      // -1: none
  int precision = -1;  // -1: none
  QChar kind;
  qsizetype end = 0;  // index just after the conversion
};

int ReadNumber(const QString& format, qsizetype& at) {
  int value = 0;
  while (at < format.size() && format[at].isDigit() && format[at].unicode() < 128) {
    value = std::min(value * 10 + (format[at].unicode() - u'0'), kMaxField);
    ++at;
  }
  return value;
}

// Parses the conversion that starts at the "%" at index start; false when it is not one.
bool ParseConversion(const QString& format, qsizetype start, Conversion& conversion) {
  qsizetype at = start + 1;
  while (at < format.size() && QStringView(u"-+ 0#").contains(format[at])) {
    if (!conversion.flags.contains(format[at])) {
      conversion.flags += format[at];
    }
    ++at;
  }
  if (at < format.size() && format[at].isDigit()) {
    conversion.width = ReadNumber(format, at);
  }
  if (at < format.size() && format[at] == u'.') {
    ++at;
    conversion.precision = ReadNumber(format, at);
  }
  if (at >= format.size() || !QStringView(u"sdiuf").contains(format[at])) {
    return false;
  }
  conversion.kind = format[at];
  conversion.end = at + 1;
  return true;
}

QString PadToWidth(QString text, const Conversion& conversion) {
  const qsizetype pad = conversion.width - text.size();
  if (pad <= 0) {
    return text;
  }
  const QString blanks(pad, u' ');
  return conversion.flags.contains(u'-') ? text + blanks : blanks + text;
}

QString FormatString(QString text, const Conversion& conversion) {
  if (conversion.precision >= 0) {
    text.truncate(conversion.precision);
  }
  return PadToWidth(std::move(text), conversion);
}

// The printf conversion rebuilt from parsed, bounded parts only.
QString NumberSpec(const Conversion& conversion, const char* lengthAndKind) {
  QString spec = u'%' + conversion.flags;
  if (conversion.width >= 0) {
    spec += QString::number(conversion.width);
  }
  if (conversion.precision >= 0) {
    spec += u'.' + QString::number(conversion.precision);
  }
  return spec + QLatin1String(lengthAndKind);
}

QString FormatInteger(qint64 number, const Conversion& conversion) {
  return QString::asprintf(NumberSpec(conversion, "lld").toLatin1().constData(),
                           static_cast<long long>(number));
}

QString FormatReal(double number, const Conversion& conversion) {
  return QString::asprintf(NumberSpec(conversion, "f").toLatin1().constData(), number);
}

QString FormatValue(const TextArg& arg, const Conversion& conversion) {
  const auto& value = arg.value();
  if (const QString* text = std::get_if<QString>(&value)) {
    return FormatString(*text, conversion);
  }
  const bool integer = std::holds_alternative<qint64>(value);
  const qint64 whole = integer ? std::get<qint64>(value) : 0;
  const double real = integer ? static_cast<double>(whole) : std::get<double>(value);
  switch (conversion.kind.unicode()) {
    case u'f':
      return FormatReal(real, conversion);
    case u's':
      return FormatString(integer ? QString::number(whole) : QString::number(real), conversion);
    default:
      return integer ? FormatInteger(whole, conversion)
                     : FormatString(QString::number(real), conversion);
  }
}

}  // namespace

QString FormatText(const QString& format, std::initializer_list<TextArg> args) {
  QString result;
  auto next = args.begin();
  qsizetype at = 0;
  while (at < format.size()) {
    const qsizetype percent = format.indexOf(u'%', at);
    if (percent < 0) {
      result += QStringView(format).mid(at);
      break;
    }
    result += QStringView(format).mid(at, percent - at);
    if (percent + 1 < format.size() && format[percent + 1] == u'%') {
      result += u'%';
      at = percent + 2;
      continue;
    }
    Conversion conversion;
    if (next == args.end() || !ParseConversion(format, percent, conversion)) {
      result += u'%';
      at = percent + 1;
      continue;
    }
    result += FormatValue(*next++, conversion);
    at = conversion.end;
  }
  return result;
}
