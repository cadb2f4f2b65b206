// Packed skins: any bytes as a package; loading must never write outside data/temp/. The program
// folder lies several folders deep in a private temporary folder that is searched whole, so a
// name climbing out of it is seen too.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/programpath.h"
#include "skin/skininfo.h"
#include "skin/zgui.h"

namespace {

// Every file anywhere below `outer` that is not in the program folder's data/temp/. Walked with
// the standard library: it takes the kinds from the folder listing instead of asking the file
// system about each entry, which made this walk over a third of the target's time.
QStringList FilesOutsideTemp(const QString& outer, const QString& temp) {
  namespace fs = std::filesystem;
  QStringList files;
  const std::string tempFolder = temp.toStdString();
  const fs::recursive_directory_iterator walk(outer.toStdString(),
                                              fs::directory_options::skip_permission_denied);
  for (const fs::directory_entry& entry : walk) {
    const std::string& file = entry.path().native();
    if (!entry.is_directory() && file.compare(0, tempFolder.size(), tempFolder) != 0) {
      files << QString::fromStdString(file);
    }
  }
  return files;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static QTemporaryDir outer;
  static const QString root = outer.path() + QStringLiteral("/1/2/3/4/5/6/7/8/program/");
  static const QString temp = root + QStringLiteral("data/temp/");
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

  static const TZGUI defaults = [] {
    TZGUI built;
    InitSkinDefaults(built);
    return built;
  }();
  TZGUI skin = defaults;  // copies share the pictures
  const SkinLoadResult result = LoadSkin(skin, QStringLiteral("fuzz"), false);
  if (skin.Loaded != (result == slrLoaded)) {
    std::abort();
  }
  SkinInformationText(QStringLiteral("fuzz"));
  if (FilesOutsideTemp(outer.path(), temp) != QStringList{package}) {
    std::abort();
  }
  QDir(temp).removeRecursively();
  return 0;
}
