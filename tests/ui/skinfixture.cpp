#include "skinfixture.h"

#include <QDir>

#include "base/programpath.h"

SkinnedWindows::SkinnedWindows() : previousHome_(ProgramPath()) {
  SetProgramPath(home_.path());
  QDir().mkpath(skinsFolder());
  InitSkinDefaults(skin);
  windows = {&main_, &playlist_, &mediaControls_, &video_, &fullscreen_, &spectrum_};
}

SkinnedWindows::~SkinnedWindows() {
  SetProgramPath(previousHome_);
}

bool SkinnedWindows::LoadBuiltIn() {
  if (LoadSkin(skin, QString::fromLatin1(kBuiltInSkinName), true) != slrLoaded) {
    return false;
  }
  Apply();
  return true;
}

bool SkinnedWindows::LoadPackage(const QString& name) {
  if (LoadSkin(skin, name, false) != slrLoaded) {
    return false;
  }
  Apply();
  return true;
}

void SkinnedWindows::Apply() {
  ApplySurfaces(skin, windows);
}
