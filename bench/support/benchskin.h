#pragma once
// The start shared by the benchmarks that draw skinned windows: the offscreen platform unless
// another one is chosen, a program folder of their own and the built-in skin.

#include <QTemporaryDir>
#include <QtGlobal>
#include <cstdio>

#include "base/programpath.h"
#include "skin/zgui.h"

// Call before the application object is made.
inline void ChooseOffscreenPlatform() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
}

// Makes `home` the program folder and loads the built-in skin into `skin`; false, with a
// message, when it does not load.
inline bool LoadBuiltInSkin(const QTemporaryDir& home, TZGUI& skin) {
  SetProgramPath(home.path() + '/');
  InitSkinDefaults(skin);
  if (LoadSkin(skin, QString::fromLatin1(kBuiltInSkinName), true) != slrLoaded) {
    std::fprintf(stderr, "the built-in skin did not load\n");
    return false;
  }
  return true;
}
