// LoadSkin: from a packed skin, a skin folder or the built-in picture into the skin record.

#include <QDir>
#include <QFileInfo>
#include <exception>

#include "components/text/textfile.h"
#include "skin/skindescription.h"
#include "skin/skinfiles.h"
#include "skin/skinpieces.h"
#include "skin/skinresource.h"
#include "skin/zgui.h"

namespace {

enum class Found { Files, Broken };

// Finds (and for a package, unpacks) the skin's picture and description.
Found ResolveSkin(const QString& name, SkinFiles* files) {
  if (!IsPlainSkinName(name)) {
    return Found::Files;  // both names empty: reported as missing files
  }
  const QString package = SkinsFolder() + name + QStringLiteral(".zskz");
  if (QFileInfo(package).isFile()) {
    QString error;
    return ExtractSkinPackage(package, SkinTempFolder(), files, &error) ? Found::Files
                                                                        : Found::Broken;
  }
  const QString folder = SkinsFolder() + name + u'/';
  if (QFileInfo(folder).isDir()) {
    *files = FindFolderSkinFiles(folder);
  }
  return Found::Files;
}

bool IsFile(const QString& path) {
  return !path.isEmpty() && QFileInfo(path).isFile();
}

QImage ReadPicture(const QString& path) {
  QImage picture(path);
  return picture.isNull() ? picture : picture.convertToFormat(QImage::Format_RGB888);
}

SkinLoadResult LoadResolved(TZGUI& skin, const SkinFiles& files, bool useBuiltIn,
                            const SkinBlend& blend) {
  if (!useBuiltIn) {
    QStringList lines;
    if (!ReadTextLines(files.description, &lines)) {
      return slrFailed;
    }
    ReadSkinDescription(lines, skin);
  }
  QImage picture = useBuiltIn ? BuiltInSkinPicture() : ReadPicture(files.picture);
  if (picture.isNull()) {
    return slrFailed;
  }
  SkinColorBlend(picture, blend.Color, blend.Level, skin.TransparentColor);
  CutSkinPieces(skin, picture);
  skin.Loaded = true;
  return slrLoaded;
}

}  // namespace

SkinLoadResult LoadSkin(TZGUI& skin, const QString& name, bool useBuiltIn, const SkinBlend& blend) {
  QDir().mkpath(SkinTempFolder());
  SkinFiles files;
  // The built-in skin needs no file, so a broken package cannot stand in its way.
  const Found found = useBuiltIn ? Found::Files : ResolveSkin(name, &files);
  skin.Loaded = false;
  if (found == Found::Broken) {
    return slrFailed;
  }
  if (!useBuiltIn && !(IsFile(files.picture) && IsFile(files.description))) {
    return slrFilesMissing;
  }
  try {
    return LoadResolved(skin, files, useBuiltIn, blend);
  } catch (const std::exception&) {
    return slrFailed;
  }
}
