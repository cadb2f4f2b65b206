#pragma once
// How the language texts reach the windows. A window derives from TZLanguageTarget; while it
// exists, every ApplyLanguage hands it the texts, in the order the windows were created.

#include "lang/language.h"

class TZLanguageTarget {
 public:
  TZLanguageTarget();
  virtual ~TZLanguageTarget();
  TZLanguageTarget(const TZLanguageTarget&) = delete;
  TZLanguageTarget& operator=(const TZLanguageTarget&) = delete;

  // Sets every caption, menu item, hint, item list and column caption the window shows.
  virtual void ApplyTexts(const TZLanguage& language) = 0;
};

// Puts the texts on every window that exists.
void ApplyLanguage(const TZLanguage& language);

// Switches the program's language at run time, as chosen in the settings dialog: reads the
// language file (or takes the built-in English texts for kDefaultLanguageName), applies it and
// stores the name in configuredLanguage. When the file cannot be read, the configured language is
// read and applied again and false is returned. Writes its log lines.
bool ChangeLanguage(const QString& name, QString& configuredLanguage);
