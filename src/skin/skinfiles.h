#pragma once
// Where skins live below the program folder, and which files make up a named skin.

#include <QString>

#include "skin/skinpackage.h"

// data/skins/ and data/temp/ below the program folder.
QString SkinsFolder();
QString SkinTempFolder();

// False for names that could lead out of the skins folder.
bool IsPlainSkinName(const QString& name);

// The last files with the given extensions directly in an unpacked skin's folder
// (names sorted, extensions compared lower-cased).
SkinFiles FindFolderSkinFiles(const QString& folder);
