// skinrender SKIN [OUTPUT-FOLDER]
//
// SKIN is "base[default]", the name of a skin in the program's data/skins/ folder, or the path
// of a skin package (.zskz) or unpacked skin folder. Writes <skin>-main.png,
// <skin>-playlist.png, <skin>-mediacontrols.png, <skin>-video.png and
// <skin>-fullscreencontrol.png, showing sample values, into OUTPUT-FOLDER (default: the
// current folder).

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

#include "base/programpath.h"
#include "ui/samplestate.h"
#include "ui/surfaces.h"
#include "ui/windowrender.h"
#include "vis/spectrum_vis.h"

namespace {

int Fail(const QString& message) {
  std::fprintf(stderr, "skinrender: %s\n", qPrintable(message));
  return 1;
}

bool CopyFolder(const QString& from, const QString& to) {
  if (!QDir().mkpath(to)) {
    return false;
  }
  for (const QFileInfo& file : QDir(from).entryInfoList(QDir::Files)) {
    if (!QFile::copy(file.filePath(), to + '/' + file.fileName())) {
      return false;
    }
  }
  return true;
}

// A package or folder given by path is copied into a program folder of its own, so that the
// skin loads exactly as the player loads it; returns the skin's name.
QString StageSkin(const QString& argument, const QString& home, QString* error) {
  const QFileInfo info(argument);
  if (argument == QLatin1String(kBuiltInSkinName) || !info.exists()) {
    SetProgramPath(info.exists() ? home : ProgramPath());
    return argument;
  }
  const QString skins = home + QStringLiteral("data/skins/");
  QDir().mkpath(skins);
  SetProgramPath(home);
  if (info.isDir()) {
    const QString name = info.fileName();
    if (!CopyFolder(info.filePath(), skins + name)) {
      *error = QStringLiteral("cannot copy the skin folder %1").arg(argument);
    }
    return name;
  }
  const QString name = info.completeBaseName();
  if (!QFile::copy(info.filePath(), skins + name + QStringLiteral(".zskz"))) {
    *error = QStringLiteral("cannot copy the skin package %1").arg(argument);
  }
  return name;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() < 2 || args.size() > 3) {
    return Fail(QStringLiteral("usage: skinrender SKIN [OUTPUT-FOLDER]"));
  }
  SetProgramPath(ComputeProgramPath(QCoreApplication::applicationFilePath()));
  QTemporaryDir home;
  QString error;
  const QString name = StageSkin(args[1], home.path() + '/', &error);
  if (!error.isEmpty()) {
    return Fail(error);
  }
  const QString output = args.size() == 3 ? args[2] : QDir::currentPath();
  if (!QDir().mkpath(output)) {
    return Fail(QStringLiteral("cannot create %1").arg(output));
  }

  TZGUI skin;
  InitSkinDefaults(skin);
  const bool builtIn = name == QLatin1String(kBuiltInSkinName);
  const SkinLoadResult result = LoadSkin(skin, name, builtIn);
  if (result == slrFilesMissing) {
    return Fail(QStringLiteral("skin \"%1\" not found (no picture or description)").arg(name));
  }
  if (result != slrLoaded) {
    return Fail(QStringLiteral("skin \"%1\" could not be loaded").arg(name));
  }

  TfrmMain main;
  TfrmPlaylist playlist;
  TfrmMediaControls mediaControls;
  TfrmVideo video;
  TfrmVideoFullscreenControl fullscreen;
  TSpectrum spectrum(skin.Main.Analyzer.Size.width(), skin.Main.Analyzer.Size.height());
  TZWindows windows{&main, &playlist, &mediaControls, &video, &fullscreen, &spectrum};
  ApplySurfaces(skin, windows);
  ShowSampleState(skin, windows);

  const std::pair<QWidget*, const char*> renders[] = {{&main, "main"},
                                                      {&playlist, "playlist"},
                                                      {&mediaControls, "mediacontrols"},
                                                      {&video, "video"},
                                                      {&fullscreen, "fullscreencontrol"}};
  for (const auto& [window, role] : renders) {
    const QString path = QStringLiteral("%1/%2-%3.png").arg(output, name, QLatin1String(role));
    if (!SaveWindowRender(*window, path)) {
      return Fail(QStringLiteral("cannot write %1").arg(path));
    }
    std::printf("%s\n", qPrintable(path));
  }
  return 0;
}
