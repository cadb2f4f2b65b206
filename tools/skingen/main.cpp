// skingen: draws the built-in skin's picture and, on request, previews of the windows.
//
//   skingen <picture.png> [--preview <folder>]

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "artkit.h"
#include "preview.h"
#include "skinsheet.h"

namespace {

int Fail(const QString& message) {
  std::fprintf(stderr, "skingen: %s\n", qPrintable(message));
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QGuiApplication app(argc, argv);
  QStringList args = app.arguments().mid(1);
  QString previewFolder;
  const qsizetype previewAt = args.indexOf("--preview");
  if (previewAt >= 0) {
    if (previewAt + 1 >= args.size()) {
      return Fail("--preview needs a folder");
    }
    previewFolder = args.takeAt(previewAt + 1);
    args.removeAt(previewAt);
  }
  if (args.size() != 1) {
    return Fail("usage: skingen <picture.png> [--preview <folder>]");
  }
  QString error;
  if (!LoadSkinFont(&error)) {
    return Fail(error);
  }
  const QImage sheet = DrawSkinSheet();
  // A 24-bit picture: the skin has no alpha channel.
  if (!sheet.convertToFormat(QImage::Format_RGB888).save(args.first(), "PNG")) {
    return Fail("cannot write " + args.first());
  }
  if (!previewFolder.isEmpty()) {
    if (!QDir().mkpath(previewFolder)) {
      return Fail("cannot create " + previewFolder);
    }
    const QString path = QDir(previewFolder).filePath("skin-preview.png");
    if (!DrawPreview(sheet).save(path, "PNG")) {
      return Fail("cannot write " + path);
    }
  }
  return 0;
}
