#include "skin/skinfiles.h"

#include <QDir>

#include "base/programpath.h"

QString SkinsFolder() {
  return DataPath() + QStringLiteral("skins/");
}

QString SkinTempFolder() {
  return DataPath() + QStringLiteral("temp/");
}

bool IsPlainSkinName(const QString& name) {
  return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
         !name.contains(u'/') && !name.contains(u'\\') && !name.contains(QChar(0));
}

SkinFiles FindFolderSkinFiles(const QString& folder) {
  SkinFiles files;
  const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files, QDir::Name);
  for (const QFileInfo& entry : entries) {
    const QString extension = entry.suffix().toLower();
    if (extension == QLatin1String("bmp")) {
      files.picture = entry.filePath();
    } else if (extension == QLatin1String("zskn")) {
      files.description = entry.filePath();
    }
  }
  return files;
}
