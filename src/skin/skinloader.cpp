// LoadSkin: from a packed skin, a skin folder or the built-in picture into the skin record.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <exception>
#include <optional>

#include "base/text/textcodec.h"
#include "base/text/textfile.h"
#include "skin/skindescription.h"
#include "skin/skinfiles.h"
#include "skin/skinpicture.h"
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

// A file's bytes: those extracted from the package, else read from the file.
std::optional<QByteArray> FileBytes(const QString& path, const std::optional<QByteArray>& kept) {
  if (kept) {
    return kept;
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return std::nullopt;
  }
  QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    return std::nullopt;
  }
  return bytes;
}

SkinLoadResult LoadResolved(TZGUI& skin, const SkinFiles& files, bool useBuiltIn,
                            const SkinBlend& blend) {
  QImage picture;
  if (useBuiltIn) {
    picture = BuiltInSkinPicture();
  } else {
    const std::optional<QByteArray> description =
        FileBytes(files.description, files.descriptionBytes);
    if (!description) {
      return slrFailed;
    }
    ReadSkinDescription(SplitLines(DecodeText(*description)), skin);
    const std::optional<QByteArray> bytes = FileBytes(files.picture, files.pictureBytes);
    picture = bytes ? DecodeSkinPicture(*bytes) : QImage();
  }
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
