#pragma once
// The language table: every text the user sees, by number. The program carries the English texts
// built in; a ".zlng" file in data/languages/ replaces all of them at once. Windows take the texts
// over through ApplyLanguage; texts the code formats at run time are read when they are used.

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <array>
#include <stdexcept>

#include "lang/textids.h"

class TZLanguage {
 public:
  static constexpr int kTextCount = 422;
  // Short texts hold at most this many characters; longer input is cut.
  static constexpr int kShortTextLength = 255;

  // Starts with the built-in English texts.
  TZLanguage();

  // Text by number (1 to kTextCount); an empty text for any other number.
  const QString& Text(int number) const;
  // Sets a text, cutting short texts to kShortTextLength characters.
  void SetText(int number, const QString& text);

  // The parts of the "Tell a friend..." mail have no length limit.
  static bool IsLongText(int number) {
    return number >= kTextMailSubject && number <= kTextMailLastLine;
  }

  bool operator==(const TZLanguage&) const = default;

 private:
  std::array<QString, kTextCount> texts_;
};

// Raised when a language file cannot be opened or read.
class TZLanguageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Sets every text to the built-in English list.
void LoadDefaults(TZLanguage& language);

// Reads a language file over all texts. Throws TZLanguageError when the file cannot be opened or
// read; the texts are then unchanged.
void LoadFromFile(TZLanguage& language, const QString& fileName);

// Takes the texts of a language file's bytes over all texts (the file format of LoadFromFile).
void ReadLanguageTexts(TZLanguage& language, QByteArrayView bytes);

// The one language record of the program.
TZLanguage& Language();

// The name that stands for the built-in English texts.
inline const QString kDefaultLanguageName = QStringLiteral("english[default]");

// data/languages/<name>.zlng below the program folder.
QString LanguageFilePath(const QString& name);

// The choices of the settings dialog: the built-in English texts, then the base name of every
// ".zlng" file directly in data/languages/, sorted.
QStringList AvailableLanguages();
