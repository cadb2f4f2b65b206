#include "base/programpath.h"

#include <QDir>
#include <QFileInfo>

namespace {
QString& PathSlot() {
  static QString path;
  return path;
}

QString WithTrailingSlash(QString folder) {
  if (!folder.endsWith(u'/')) {
    folder += u'/';
  }
  return folder;
}
}  // namespace

const QString& ProgramPath() {
  return PathSlot();
}

void SetProgramPath(const QString& folder) {
  PathSlot() = WithTrailingSlash(folder);
}

QString ComputeProgramPath(const QString& executablePath) {
  const QString home = qEnvironmentVariable("ZEPHONIC_HOME");
  if (!home.isEmpty()) {
    return WithTrailingSlash(QDir(home).absolutePath());
  }
  return WithTrailingSlash(QFileInfo(executablePath).absolutePath());
}

QString DataPath() {
  return ProgramPath() + QStringLiteral("data/");
}
