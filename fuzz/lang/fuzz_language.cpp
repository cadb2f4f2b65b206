// Language files come from anywhere: reading one must never crash, short texts must stay within
// their bound, every text must be safe to use as a format with the program's values, and what a
// format makes of them stays bounded: each conversion yields at most a bounded field.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "lang/language.h"
#include "lang/textformat.h"

namespace {

// A field is padded or made precise to at most 255 characters; a number's sign, digits before
// the point and the point itself come on top.
constexpr qsizetype kMaxFieldOutput = 255 + 32;

// Counted as toUcs4() counts them (a lone surrogate is one), without making the copy.
qsizetype CodePoints(const QString& text) {
  qsizetype pairs = 0;
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i].isHighSurrogate() && text[i + 1].isLowSurrogate()) {
      ++pairs;
      ++i;
    }
  }
  return text.size() - pairs;
}

void CheckText(int number, const QString& text) {
  static const QString name = QStringLiteral("name");
  static const QString hostile = QStringLiteral("%s%n");
  if (!TZLanguage::IsLongText(number) && CodePoints(text) > TZLanguage::kShortTextLength) {
    std::abort();
  }
  if (text.isEmpty()) {
    return;
  }
  const QString formatted = FormatText(text, {name, 42, 3.5, hostile});
  if (!text.contains(u'%') && formatted != text) {
    std::abort();
  }
  if (formatted.size() > text.size() + 4 * kMaxFieldOutput) {
    std::abort();
  }
}

// The built-in texts, checked once: a file's text equal to its built-in one needs no check again.
const TZLanguage& BuiltIn() {
  static const TZLanguage builtIn = [] {
    TZLanguage language;
    for (int number = 1; number <= TZLanguage::kTextCount; ++number) {
      CheckText(number, language.Text(number));
    }
    return language;
  }();
  return builtIn;
}

// The built-in texts are made once: every file replaces all of them.
TZLanguage& Reused() {
  static TZLanguage language;
  return language;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TZLanguage& language = Reused();
  ReadLanguageTexts(
      language, QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  qsizetype total = 0;
  for (int number = 1; number <= TZLanguage::kTextCount; ++number) {
    const QString& text = language.Text(number);
    total += text.size();
    if (text != BuiltIn().Text(number)) {
      CheckText(number, text);
    }
  }
  // Texts come from the input, split at line ends: they cannot hold more than it.
  if (total > static_cast<qsizetype>(size)) {
    std::abort();
  }
  return 0;
}
