#include "skin/skininfo.h"

#include <QFileInfo>

#include "base/text/textcodec.h"
#include "base/text/textfile.h"
#include "skin/skinfiles.h"
#include "skin/zgui.h"

namespace {

enum class Source { Read, Missing, Corrupted };

// The description's lines from the package (read in memory, nothing is unpacked) or the folder.
Source ReadDescriptionLines(const QString& name, QStringList* lines) {
  if (!IsPlainSkinName(name)) {
    return Source::Missing;
  }
  const QString package = SkinsFolder() + name + QStringLiteral(".zskz");
  if (QFileInfo(package).isFile()) {
    SkinPackage archive;
    QByteArray bytes;
    if (!archive.open(package)) {
      return Source::Corrupted;
    }
    const SkinPackage::Entry* entry = archive.lastWithExtension(QStringLiteral(".zskn"));
    if (!entry) {
      return Source::Missing;
    }
    if (!archive.read(*entry, &bytes)) {
      return Source::Corrupted;
    }
    *lines = SplitLines(DecodeText(bytes));
    return Source::Read;
  }
  const QString description = FindFolderSkinFiles(SkinsFolder() + name + u'/').description;
  if (description.isEmpty()) {
    return Source::Missing;
  }
  return ReadTextLines(description, lines) ? Source::Read : Source::Corrupted;
}

}  // namespace

bool ParseSkinInformation(const QStringList& lines, SkinInformation* info) {
  const auto text = [&lines](int number) {
    return number <= lines.size() ? lines[number - 1].mid(5) : QString();
  };
  *info = {text(5), text(7), text(9), text(11)};
  return !info->Name.isEmpty() && !info->Author.isEmpty() && !info->Web.isEmpty() &&
         !info->Contact.isEmpty();
}

QStringList SkinInformationText(const QString& name) {
  if (name == QLatin1String(kBuiltInSkinName)) {
    return {QStringLiteral("Base Zephonic Skin (default)"),
            QStringLiteral("Artwork made for Zephonic"),
            QStringLiteral("Fits every default of the skin engine"),
            QStringLiteral("Built into the program")};
  }
  const QString notFound = QStringLiteral("No skin information found.");
  QStringList lines;
  SkinInformation info;
  switch (ReadDescriptionLines(name, &lines)) {
    case Source::Corrupted:
      return {notFound, QStringLiteral("Skin corrupted.")};
    case Source::Missing:
      return {notFound};
    case Source::Read:
      break;
  }
  if (!ParseSkinInformation(lines, &info)) {
    return {notFound};
  }
  return {info.Name, QStringLiteral("by ") + info.Author, info.Web, info.Contact};
}
