// Packed skins: any bytes as a package; loading must never write outside data/temp/.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "base/programpath.h"
#include "skin/skininfo.h"
#include "skin/zgui.h"

namespace {

// Every file below the folder that is not in data/temp/.
QStringList FilesOutsideTemp(const QString& root) {
  QStringList files;
  QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString file = it.next();
    if (!file.startsWith(root + QStringLiteral("data/temp/"))) {
      files << file;
    }
  }
  return files;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static QTemporaryDir home;
  static const QString root = home.path() + u'/';
  static const bool ready = [] {
    SetProgramPath(root);
    return QDir().mkpath(root + QStringLiteral("data/skins"));
  }();
  if (!ready) {
    std::abort();
  }
  const QString package = root + QStringLiteral("data/skins/fuzz.zskz");
  QFile file(package);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size)) {
    std::abort();
  }
  file.close();

  TZGUI skin;
  InitSkinDefaults(skin);
  const SkinLoadResult result = LoadSkin(skin, QStringLiteral("fuzz"), false);
  if (skin.Loaded != (result == slrLoaded)) {
    std::abort();
  }
  SkinInformationText(QStringLiteral("fuzz"));
  if (FilesOutsideTemp(root) != QStringList{package}) {
    std::abort();
  }
  QDir(root + QStringLiteral("data/temp")).removeRecursively();
  return 0;
}
