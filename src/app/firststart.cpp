#include "app/firststart.h"

#include <QFile>
#include <QSettings>

#include "base/programpath.h"
#include "config/config.h"
#include "lang/language.h"

namespace {

const QString kFirstStart = QStringLiteral("Zephonic/FirstStart");
const QString kInstallerLanguage = QStringLiteral("Zephonic/InstallerLanguage");

// The configuration keeps at most this many characters of a language name.
constexpr qsizetype kLanguageNameLength = 60;

}  // namespace

QString FirstStartFile() {
  return ProgramPath() + QStringLiteral("installer.ini");
}

bool ApplyFirstStart(const QString& keyFile, TZConfig& config) {
  if (!QFile::exists(keyFile)) {
    return false;
  }
  QSettings keys(keyFile, QSettings::IniFormat);
  if (keys.status() != QSettings::NoError || !keys.value(kFirstStart, false).toBool()) {
    return false;
  }
  keys.setValue(kFirstStart, false);
  keys.sync();
  const QString language = keys.value(kInstallerLanguage).toString();
  config.Language =
      language == u"english" ? kDefaultLanguageName : language.left(kLanguageNameLength);
  return true;
}
