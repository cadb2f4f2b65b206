#include "skin/skinstartup.h"

#include <QDir>
#include <exception>

#include "base/errorcatalogue.h"
#include "base/programpath.h"
#include "base/zdebug.h"
#include "skin/skinfiles.h"

namespace {

const QString kTag = QStringLiteral("TZGUI");

// The log must not decide the skin: a line that cannot be written is lost, the step goes on.
void Log(const QString& text) {
  try {
    ZLog(text);
  } catch (const std::exception&) {
  }
}

QString Quoted(const QString& name) {
  return u'"' + name + u'"';
}

void InitializeEngine(TZGUI& skin) {
  try {
    InitSkinDefaults(skin);
  } catch (const std::exception&) {
    Log(QStringLiteral("GUI initialize failed."));
    ReportError(101, kTag, QString(), true);
    return;
  }
  Log(QStringLiteral("GUI initialize OK"));
}

// The named skin, or why the built-in skin has to stand in.
bool LoadConfiguredSkin(TZGUI& skin, const QString& name, const SkinBlend& blend) {
  switch (LoadSkin(skin, name, false, blend)) {
    case slrLoaded:
      Log(QStringLiteral("GUI loadskin ") + Quoted(name) + QStringLiteral(" OK."));
      return true;
    case slrFilesMissing:
      Log(QStringLiteral("GUI skin ") + Quoted(name) +
          QStringLiteral(" files not found. Setting to Default."));
      ReportError(100, kTag, name, false);
      return false;
    case slrFailed:
      Log(QStringLiteral("GUI loadskin ") + Quoted(name) +
          QStringLiteral(" failed. Setting to Default."));
      ReportError(102, kTag, QString(), false);
      return false;
  }
  return false;
}

}  // namespace

SkinLoadResult ReturnToBuiltInSkin(TZGUI& skin, const SkinBlend& blend) {
  FreeSkinPictures(skin);
  InitSkinDefaults(skin);
  return LoadSkin(skin, QString::fromLatin1(kBuiltInSkinName), true, blend);
}

bool StartSkinEngine(const QString& configuredSkin, const SkinBlend& blend) {
  TZGUI& skin = GUI();
  InitializeEngine(skin);
  SkinLoadResult result = slrFailed;
  try {
    if (configuredSkin == QLatin1String(kBuiltInSkinName)) {
      result = LoadSkin(skin, configuredSkin, true, blend);
      if (result == slrLoaded) {
        Log(QStringLiteral("GUI load default skin OK."));
      }
    } else if (LoadConfiguredSkin(skin, configuredSkin, blend)) {
      result = slrLoaded;
    } else {
      // A failed description may have been read half-way: start again from the defaults.
      result = ReturnToBuiltInSkin(skin, blend);
    }
  } catch (const std::exception&) {
    result = slrFailed;
  }
  if (result != slrLoaded) {
    Log(QStringLiteral("GUI load default skin failed. Program terminated."));
    ReportError(102, kTag, QString(), true);
    return false;
  }
  return true;
}

void ReleaseSkinEngine() {
  try {
    FreeSkinPictures(GUI());
  } catch (const std::exception&) {
    Log(QStringLiteral("GUI deinitialize failed"));
    return;
  }
  Log(QStringLiteral("GUI deinitialize OK"));
}

void EmptySkinTempFolder() {
  QDir temp(SkinTempFolder());
  const QStringList files = temp.entryList(QDir::Files | QDir::Hidden | QDir::System);
  for (const QString& file : files) {
    temp.remove(file);
  }
  QDir(DataPath()).rmdir(QStringLiteral("temp"));
}
