#include "lang/applylanguage.h"

#include <algorithm>
#include <vector>

#include "base/zdebug.h"

namespace {

std::vector<TZLanguageTarget*>& Targets() {
  static std::vector<TZLanguageTarget*> targets;
  return targets;
}

bool IsTarget(const TZLanguageTarget* target) {
  return std::find(Targets().begin(), Targets().end(), target) != Targets().end();
}

// The configuration keeps at most this many characters of a language name.
constexpr qsizetype kLanguageNameLength = 60;

QString Quoted(const QString& name) {
  return u'"' + name + u'"';
}

// Reads the named language, falling back to the built-in texts when it has no readable file.
void LoadConfiguredLanguage(const QString& name) {
  try {
    LoadFromFile(Language(), LanguageFilePath(name));
  } catch (const TZLanguageError&) {
    LoadDefaults(Language());
  }
}

}  // namespace

TZLanguageTarget::TZLanguageTarget() {
  Targets().push_back(this);
}

TZLanguageTarget::~TZLanguageTarget() {
  std::erase(Targets(), this);
}

void ApplyLanguage(const TZLanguage& language) {
  // A window may close while another takes its texts; only those still alive are visited.
  const std::vector<TZLanguageTarget*> targets = Targets();
  for (TZLanguageTarget* target : targets) {
    if (IsTarget(target)) {
      target->ApplyTexts(language);
    }
  }
}

bool ChangeLanguage(const QString& name, QString& configuredLanguage) {
  if (name == kDefaultLanguageName) {
    LoadDefaults(Language());
    ApplyLanguage(Language());
    configuredLanguage = QStringLiteral("english");
    return true;
  }
  try {
    LoadFromFile(Language(), LanguageFilePath(name));
  } catch (const TZLanguageError&) {
    ZLog(QStringLiteral("Changing language ") + Quoted(name) + QStringLiteral(" failed"));
    ZLog(QStringLiteral("Load last language."));
    LoadConfiguredLanguage(configuredLanguage);
    ApplyLanguage(Language());
    return false;
  }
  ApplyLanguage(Language());
  configuredLanguage = name.left(kLanguageNameLength);
  ZLog(QStringLiteral("Changing language ") + Quoted(name) + QStringLiteral(" OK"));
  return true;
}
