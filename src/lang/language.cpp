#include "lang/language.h"

#include <QDir>
#include <QFile>

#include "base/programpath.h"
#include "base/text/textcodec.h"
#include "base/text/textfile.h"
#include "lang/englishtexts.h"

namespace {

// Characters are counted as code points, so a cut never splits a surrogate pair.
qsizetype CodeUnitsOf(const QString& text, qsizetype codePoints) {
  qsizetype at = 0;
  for (qsizetype n = 0; n < codePoints && at < text.size(); ++n) {
    at += (text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate()) ? 2
                                                                                                : 1;
  }
  return at;
}

// The first six characters of a text line are free for a number or label.
constexpr qsizetype kLabelLength = 6;

bool IsComment(const QString& line) {
  return line.isEmpty() || line.front() == u'/';
}

// Hands out the file's texts in order; once the lines run out every further text is empty.
class TextLineReader {
 public:
  explicit TextLineReader(const QStringList& lines) : lines_(lines) {}

  QString Next() {
    while (next_ < lines_.size()) {
      const QString& line = lines_[next_++];
      if (!IsComment(line)) {
        return line.mid(CodeUnitsOf(line, kLabelLength));
      }
    }
    return QString();
  }

 private:
  const QStringList& lines_;
  qsizetype next_ = 0;
};

QString WithoutByteOrderMark(QString text) {
  if (text.startsWith(QChar(0xFEFF))) {
    text.remove(0, 1);
  }
  return text;
}

}  // namespace

TZLanguage::TZLanguage() {
  LoadDefaults(*this);
}

const QString& TZLanguage::Text(int number) const {
  static const QString kNone;
  if (number < 1 || number > kTextCount) {
    return kNone;
  }
  return texts_[number - 1];
}

void TZLanguage::SetText(int number, const QString& text) {
  if (number < 1 || number > kTextCount) {
    return;
  }
  texts_[number - 1] = IsLongText(number) ? text : text.left(CodeUnitsOf(text, kShortTextLength));
}

void LoadDefaults(TZLanguage& language) {
  for (int number = 1; number <= TZLanguage::kTextCount; ++number) {
    language.SetText(number, QString::fromLatin1(kEnglishTexts[number - 1]));
  }
}

void ReadLanguageTexts(TZLanguage& language, QByteArrayView bytes) {
  const QStringList lines = SplitLines(WithoutByteOrderMark(DecodeText(bytes)));
  TextLineReader reader(lines);
  for (int number = 1; number <= TZLanguage::kTextCount; ++number) {
    language.SetText(number, reader.Next());
  }
}

void LoadFromFile(TZLanguage& language, const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) {
    throw TZLanguageError("cannot open language file " + fileName.toStdString() + ": " +
                          file.errorString().toStdString());
  }
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    throw TZLanguageError("cannot read language file " + fileName.toStdString() + ": " +
                          file.errorString().toStdString());
  }
  ReadLanguageTexts(language, bytes);
}

TZLanguage& Language() {
  static TZLanguage language;
  return language;
}

QString LanguageFilePath(const QString& name) {
  return DataPath() + QStringLiteral("languages/") + name + QStringLiteral(".zlng");
}

QStringList AvailableLanguages() {
  QStringList names{kDefaultLanguageName};
  const QDir folder(DataPath() + QStringLiteral("languages"));
  const QStringList files = folder.entryList(
      {QStringLiteral("*.zlng")}, QDir::Files | QDir::Readable | QDir::CaseSensitive, QDir::Name);
  for (const QString& file : files) {
    names.append(file.chopped(5));
  }
  return names;
}
