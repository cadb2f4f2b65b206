// Language files come from anywhere: reading one must never crash, short texts must stay within
// their bound, and every text must be safe to use as a format with the program's values.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "lang/language.h"
#include "lang/textformat.h"

namespace {

qsizetype CodePoints(const QString& text) {
  return text.toUcs4().size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TZLanguage language;
  ReadLanguageTexts(
      language, QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  for (int number = 1; number <= TZLanguage::kTextCount; ++number) {
    const QString& text = language.Text(number);
    if (!TZLanguage::IsLongText(number) && CodePoints(text) > TZLanguage::kShortTextLength) {
      std::abort();
    }
    FormatText(text, {QStringLiteral("name"), 42, 3.5, QStringLiteral("%s%n")});
  }
  return 0;
}
